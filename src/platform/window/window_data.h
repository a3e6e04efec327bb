#pragma once

// Inside the platform layer only: the Qt widgets behind a Window.

#include "platform/menu.h"
#include "platform/surface.h"
#include "platform/window.h"

#include <QBasicTimer>
#include <QMainWindow>
#include <QWidget>

#include <map>
#include <memory>

namespace platform {

struct WindowData;

// The client area: shows the screen surface and passes on mouse and keys.
class ClientWidget : public QWidget {
public:
    explicit ClientWidget(WindowData& window);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    WindowData& window_;
};

// The frame: caption, menu bar, close box; passes on activation, moves and timers.
class FrameWidget : public QMainWindow {
public:
    explicit FrameWidget(WindowData& window);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    WindowData& window_;
};

struct WindowTimer {
    QBasicTimer timer;
    int period = 0;
    int starts = 0;
    int kills = 0;
};

struct WindowData {
    Window* owner = nullptr;
    WindowProc proc;
    std::unique_ptr<FrameWidget> frame;
    ClientWidget* client = nullptr;
    Surface screen;
    Menu menu;
    Rect pendingPaint;
    Rect currentPaint;
    bool paintQueued = false;
    std::map<int, WindowTimer> timers;
    bool created = false;
    bool destroyed = false;
    bool topmost = false;
    bool active = false;
    bool quitPosted = false;
    int quitCode = 0;
    bool pauseMark = false;
    // The window manager's frame around the window, once it has announced it.
    QMargins knownFrame;
    // Each client pixel is shown as a zoom x zoom block.
    int zoom = 1;
    // Natively on a desktop that draws no title bars, Qt draws its own, with
    // a maximise button that no window flag removes; the window then takes
    // any size from at least its own, as a compositor refuses a window that
    // keeps its size when told to maximise.
    bool toolkitTitleBar = false;
    // What the frame holds beside the client area: the menu bar.
    QSize menuBar;
    // Where the window was asked to go, kept as its place on a desktop that
    // tells no window where it is: only its size comes from the desktop.
    QPoint placedCorner;
    bool placed = false;

    void send(const Message& message) const;
    void deliverPaint();
    void sendKey(QKeyEvent* event);
    void sendPosition();
    // The frame that the window manager puts around the window; empty without one.
    QMargins frameMargins();
    // The window with that frame, in screen pixels.
    QRect outerGeometry();
    // The same, as large as it would be unzoomed: what the game keeps.
    QRect unzoomedOuter();
    // The menu bar and the client area at the given zoom.
    QSize frameSizeAt(QSize clientSize, int zoomed) const;
    // Holds the frame at this size, or at least this size under a toolkit title bar.
    void fixSize(QSize size);
    // Takes the toolkit's title bar into account once the window shows it.
    void noticeTitleBar();
    // The screen surface at a new size, keeping what it shows.
    void resizeScreen(QSize size);
    // The client area in client pixels: the screen surface's size, whatever
    // size the desktop gives the window.
    QSize picture() const { return QSize(screen.width(), screen.height()); }
    // How the picture is shown in the client widget: the zoom, or the largest
    // whole zoom that fits a client widget the desktop made smaller or
    // larger, centred; at its top-left corner where not even x1 fits.
    int shownZoom() const;
    QRect pictureRect() const;
};

// The frame of a window, for dialogs that it owns.
QWidget* frameOf(Window& window);
// Where the pause mark stands in a picture of this width (in client pixels)
// shown at this zoom: 24 client pixels square, 6 from the top and right edges.
inline QRect pauseMarkRect(int clientWidth, int zoom)
{
    return QRect((clientWidth - 30) * zoom, 6 * zoom, 24 * zoom, 24 * zoom);
}
// Keeps a top-level window above all others, or lets it go back among them.
void setStaysOnTop(QWidget& window, bool topmost);

} // namespace platform

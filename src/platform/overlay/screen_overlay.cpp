#include "platform/screen_overlay.h"

#include "platform/clock.h"
#include "platform/draw/surface_data.h"
#include "platform/overlay/x11_overlay.h"
#include "platform/window/wm_hints.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <cstdint>
#include <malloc.h>

namespace platform {

namespace {

// Long enough for a window manager to map the overlay, short enough that a
// desktop that never shows it does not hold the start-up.
constexpr int exposeWaitMs = 500;

std::vector<OverlayOutline>& outlineLog()
{
    static std::vector<OverlayOutline> log;
    return log;
}

} // namespace

// Paints the picture where the desktop could be taken; elsewhere it is
// see-through and paints only the outlines.
class OverlayWidget : public QWidget {
public:
    OverlayWidget(const Surface& picture, const std::vector<OverlayOutline>& outlines, bool seeThrough)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool
                               | Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput
                               | Qt::WindowDoesNotAcceptFocus),
          picture_(picture),
          outlines_(outlines),
          seeThrough_(seeThrough)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TranslucentBackground, seeThrough);
        setAttribute(Qt::WA_OpaquePaintEvent, !seeThrough);
    }

    std::function<void()> onFirstPaint;
    bool painted = false;

protected:
    // Only the region asked for: after the first paint a step asks for the
    // four edges of its new outline, never the whole screen.
    void paintEvent(QPaintEvent* event) override
    {
        paint(*event);
        if (!painted) {
            painted = true;
            if (onFirstPaint)
                onFirstPaint();
        }
    }

private:
    void paint(const QPaintEvent& event)
    {
        QPainter painter(this);
        if (!seeThrough_) {
            for (const QRect& part : event.region())
                painter.drawImage(part, picture_.data()->image, part);
            return;
        }
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& part : event.region())
            painter.fillRect(part, Qt::transparent);
        for (const OverlayOutline& outline : outlines_) {
            painter.setPen(QColor(outline.colour.r, outline.colour.g, outline.colour.b));
            painter.drawRect(outline.rect.left - x(), outline.rect.top - y(), outline.rect.width() - 1,
                             outline.rect.height() - 1);
        }
    }

private:
    const Surface& picture_;
    const std::vector<OverlayOutline>& outlines_;
    bool seeThrough_;
};

// The window comes up with the first outline already in its picture, so the
// outline is on the screen with the window's first paint; each later step
// paints only its own outline.
void showWith(OverlayWidget& widget)
{
    QEventLoop exposed;
    widget.onFirstPaint = [&exposed] { exposed.quit(); };
    QTimer::singleShot(exposeWaitMs, &exposed, &QEventLoop::quit);
    widget.show();
    if (!widget.painted)
        exposed.exec(QEventLoop::ExcludeUserInputEvents);
    widget.onFirstPaint = nullptr;
    if (!widget.painted)
        widget.repaint();
}

// The one-pixel edges of an outline, in the overlay's own coordinates.
QRegion edges(const Rect& rect, const Rect& bounds)
{
    const QRect outer(rect.left - bounds.left, rect.top - bounds.top, rect.width(), rect.height());
    if (outer.width() <= 2 || outer.height() <= 2)
        return QRegion(outer);
    return QRegion(outer).subtracted(QRegion(outer.adjusted(1, 1, -1, -1)));
}

struct ScreenOverlayData {
    Rect bounds;
    Surface picture;
    std::vector<OverlayOutline> outlines;
    // On X: a window the server draws on, with no picture of the desktop.
    std::unique_ptr<X11Overlay> x11;
    // Elsewhere: a window that shows a picture of the desktop.
    std::unique_ptr<OverlayWidget> widget;
    // Steps are due at fixed times from the first outline, so the time spent
    // drawing is taken out of the next wait instead of adding up.
    QElapsedTimer sinceFirst;
    std::int64_t dueMs = 0;
    std::int64_t firstAtMs = 0;
    bool skipped = false;
};

ScreenOverlay::ScreenOverlay() : data_(std::make_unique<ScreenOverlayData>())
{
    QScreen* screen = QGuiApplication::primaryScreen();
    // A Wayland desktop can be neither captured nor drawn over, natively or
    // through XWayland: the overlay would be an ordinary window, tiled or
    // black. There the effect is left out, and its pauses with it.
    if (!screen || !desktopGivesPositions() || X11Overlay::onXWayland()) {
        data_->skipped = true;
        return;
    }
    const QRect desktop = screen->virtualGeometry();
    data_->bounds =
        Rect{desktop.left(), desktop.top(), desktop.left() + desktop.width(), desktop.top() + desktop.height()};
    data_->x11 = X11Overlay::open(data_->bounds);
    if (data_->x11)
        return;

    // The grab becomes the picture itself, with no second full-screen copy.
    QImage grabbed = screen->grabWindow(0, desktop.left(), desktop.top(), desktop.width(), desktop.height()).toImage();
    const bool taken = grabbed.size() == desktop.size();
    if (taken)
        data_->picture.data()->image = std::move(grabbed).convertToFormat(QImage::Format_RGB32);
    else
        data_->picture = Surface(desktop.width(), desktop.height());

    data_->widget = std::make_unique<OverlayWidget>(data_->picture, data_->outlines, !taken);
    data_->widget->setGeometry(desktop);
}

ScreenOverlay::~ScreenOverlay()
{
    data_->x11.reset();
    if (data_->widget) {
        data_->widget->hide();
        data_->widget.reset();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    outlineLog() = std::move(data_->outlines);
    // The desktop's picture is the largest block the program ever holds;
    // it goes back to the system now, not at exit.
    data_->picture.release();
    malloc_trim(0);
}

Rect ScreenOverlay::bounds() const
{
    return data_->bounds;
}

void ScreenOverlay::outline(const Rect& rect, Colour colour)
{
    if (data_->skipped)
        return;
    Clock& clock = Clock::instance();
    const std::int64_t now = clock.simulated()             ? clock.simulatedMs()
                             : data_->sinceFirst.isValid() ? data_->sinceFirst.elapsed()
                                                           : 0;
    if (data_->outlines.empty())
        data_->firstAtMs = now;
    data_->outlines.push_back(OverlayOutline{rect, colour, now - data_->firstAtMs});
    if (data_->x11) {
        data_->x11->outline(rect, colour);
        if (!data_->sinceFirst.isValid())
            data_->sinceFirst.start();
        return;
    }
    Surface& picture = data_->picture;
    const Pen pen = picture.selectPen(Pen{colour});
    const Brush brush = picture.selectBrush(stock::hollowBrush);
    picture.rectangle(Rect{rect.left - data_->bounds.left, rect.top - data_->bounds.top,
                           rect.right - data_->bounds.left, rect.bottom - data_->bounds.top});
    picture.selectPen(pen);
    picture.selectBrush(brush);
    if (data_->widget && data_->widget->isVisible())
        data_->widget->repaint(edges(rect, data_->bounds));
    else if (data_->widget)
        showWith(*data_->widget);
    if (!data_->sinceFirst.isValid())
        data_->sinceFirst.start();
}

void ScreenOverlay::wait(int ms)
{
    if (data_->skipped)
        return;
    Clock& clock = Clock::instance();
    if (clock.simulated() || !data_->sinceFirst.isValid()) {
        clock.sleep(ms);
        return;
    }
    data_->dueMs += ms;
    clock.sleep(static_cast<int>(std::max<std::int64_t>(0, data_->dueMs - data_->sinceFirst.elapsed())));
}

const std::vector<OverlayOutline>& ScreenOverlay::lastOutlines()
{
    return outlineLog();
}

} // namespace platform

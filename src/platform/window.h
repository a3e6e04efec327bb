#pragma once

#include "platform/geometry.h"
#include "platform/menu.h"
#include "platform/message.h"
#include "platform/zoom_range.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace platform {

class Surface;
class Window;
struct WindowData;

// Every message of the window goes to one procedure.
using WindowProc = std::function<void(Window& window, const Message& message)>;

// The game's one top-level window: a frame of fixed size with a menu bar over
// a client area. Its screen surface is what the player sees; drawing on it
// shows at once. A size that the desktop forces on the window changes neither
// the surface nor the client size: the picture is shown centred in it. A repaint, asked for by the desktop or by
// invalidate(), sends a Paint message whose handler copies the back buffer onto the screen surface.
class Window {
public:
    explicit Window(WindowProc proc);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Builds the window (hidden until placed) and its menu, then sends Create.
    void create(std::string_view title, std::span<const MenuItemTemplate> menu, std::string_view iconPicture);
    bool exists() const;
    void send(const Message& message);

    Surface& screen();
    Menu& menu();

    void invalidate(const Rect& rect);
    // The part of the client area that the current Paint message must restore.
    Rect beginPaint() const;
    // Delivers a pending repaint at once.
    void paintNow();

    // Setting a running timer replaces its period and restarts it.
    void setTimer(int id, int periodMs);
    void killTimer(int id);
    int timerPeriod(int id) const; // 0 when not running
    int timerStarts(int id) const;
    int timerKills(int id) const;

    // Shows everything drawn so far, then blocks for ms.
    void wait(int ms);

    Rect windowRect() const; // outer frame, screen pixels
    Size clientSize() const;
    Rect desktopRect() const;
    // Moves and sizes the outer frame, sets the stacking and shows the window.
    void place(const Rect& outer, bool topmost);
    // Changes the stacking only; the window keeps its place and size.
    void setTopmost(bool topmost);
    // Shows every client pixel as a zoom x zoom block (1 to maxZoom). The frame
    // keeps its top-left corner and stays on the screen. The window's
    // rectangle, its client size and its messages stay in client pixels.
    void setZoom(int zoom);
    int zoom() const;
    // Whether the window, zoomed so, fits on its screen.
    bool zoomFits(int zoom) const;
    static constexpr int maxZoom = largestZoom;
    bool isTopmost() const;
    // False where the desktop cannot keep a window above the others
    // (Wayland natively, and XWayland under a desktop that does not say it can).
    bool canStayOnTop() const;
    bool isVisible() const;

    // Sends Destroy once and hides the window.
    void destroy();
    bool destroyed() const;
    // Ends the event loop with this exit code once control returns to it.
    void postQuit(int exitCode);
    bool quitPosted() const;

    WindowData* data() { return data_.get(); }

    // The caption of the frame, UTF-8.
    void setTitle(std::string_view title);
    std::string title() const;
    // Where the title bar may be the toolkit's own and not repaint (native
    // Wayland), a pause mark in the client area's top-right corner says what
    // the title says. It is laid over the screen surface as it is shown and
    // never drawn into it, so every pixel of the game stays as it is.
    void showPauseMark(bool shown);
    bool pauseMarkShown() const;
    // Tests only: every window acts as natively on Wayland, where the desktop
    // gives no window positions and the pause shows as a mark.
    static void actAsOnWayland(bool on);

private:
    std::unique_ptr<WindowData> data_;
};

} // namespace platform

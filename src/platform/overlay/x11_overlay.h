#pragma once

// Inside the platform layer only: the start-up effect's window on an X
// display, drawn on with the X server's own requests.

#include "platform/geometry.h"

#include <memory>

namespace platform {

struct X11OverlayData;

// A window over the whole X screen that bypasses the window manager, lets
// every click through and has no background: mapping it changes no pixel,
// so the desktop shows through until an outline is drawn on it. Closing it
// has the X server show the desktop again and the windows below repaint the
// part it covered, as after any window that closes.
class X11Overlay {
public:
    // Null when the display is not X or its pixels are not 32-bit RGB.
    static std::unique_ptr<X11Overlay> open(const Rect& screen);
    // Whether the X display is a Wayland compositor's XWayland, where a
    // window without background shows black, not the desktop below.
    static bool onXWayland();
    ~X11Overlay();
    X11Overlay(const X11Overlay&) = delete;
    X11Overlay& operator=(const X11Overlay&) = delete;

    // A one-pixel outline on the rectangle's edge pixels, in screen pixels;
    // returns once the X server has drawn it.
    void outline(const Rect& rect, Colour colour);

private:
    X11Overlay();
    std::unique_ptr<X11OverlayData> data_;
};

} // namespace platform

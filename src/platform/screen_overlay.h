#pragma once

#include "platform/geometry.h"
#include "platform/surface.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

struct ScreenOverlayData;

struct OverlayOutline {
    Rect rect;
    Colour colour;
    // When it was shown, in ms from the first outline.
    std::int64_t shownAtMs = 0;
    constexpr bool operator==(const OverlayOutline&) const = default;
};

// A frameless, topmost window over the whole desktop that lets every click
// through, for drawing straight onto the screen; closing it leaves the screen
// as it was. On X the server draws the outlines in a window without
// background; elsewhere the window shows a picture of the desktop taken when
// the overlay opened, given up when it closes. On Wayland, natively or through
// XWayland, it shows nothing and its waits return at once.
class ScreenOverlay {
public:
    ScreenOverlay();
    ~ScreenOverlay();
    ScreenOverlay(const ScreenOverlay&) = delete;
    ScreenOverlay& operator=(const ScreenOverlay&) = delete;

    // The desktop in screen pixels.
    Rect bounds() const;
    // A one-pixel outline on the rectangle's edge pixels, in screen pixels,
    // shown at once; only its edges are sent to the screen.
    void outline(const Rect& rect, Colour colour);
    // Blocks until ms after the previous wait's end, counted from the first
    // outline, so that steps keep their period however long drawing takes.
    void wait(int ms);
    // The outlines that the most recently closed overlay drew, in order.
    static const std::vector<OverlayOutline>& lastOutlines();

private:
    std::unique_ptr<ScreenOverlayData> data_;
};

} // namespace platform

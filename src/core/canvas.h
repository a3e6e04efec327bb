#pragma once

#include "platform/surface.h"

namespace platform {
class Window;
}

inline constexpr int clientWidth = 639;
inline constexpr int clientHeight = 479;
// The background under the speech balloon, saved at start.
inline constexpr platform::Rect stripArea{468, 398, 468 + 172, 398 + 36};

// Where all drawing goes: the window's screen, which shows at once, and the
// back buffer, which a repaint copies from; with the sprite sheet and the
// strip that drawing copies from. The canvas owns its three surfaces and
// borrows the window. Members of Game keep a borrowed pointer to it; only
// releaseCanvas gives the surfaces up.
struct Canvas {
    platform::Window* window = nullptr;
    platform::Surface backBuffer;
    platform::Surface sprites;
    platform::Surface strip;
};

platform::Surface& screenOf(Canvas& canvas);

// Draws the same thing into the back buffer, so that a repaint keeps it,
// then onto the screen, so that it shows at once.
template <typename Draw>
void drawOnBoth(Canvas& canvas, const Draw& draw)
{
    draw(canvas.backBuffer);
    draw(screenOf(canvas));
}

// Makes the surfaces and draws the background into the back buffer and onto the window.
void makeCanvas(Canvas& canvas, platform::Window& window);
// Serves a Paint message: copies the part that needs paint from the back buffer.
void repaint(Canvas& canvas);
void releaseCanvas(Canvas& canvas);

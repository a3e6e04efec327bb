#pragma once

#include "platform/surface.h"

namespace platform {
class Window;
}

inline constexpr int clientWidth = 639;
inline constexpr int clientHeight = 479;
// The background under the speech balloon, saved at start.
inline constexpr platform::Rect stripArea{468, 398, 468 + 172, 398 + 36};

// The three off-screen surfaces that all drawing goes through. Members of Game
// keep borrowed pointers to them; only releaseSurfaces gives them up.
struct Surfaces {
    platform::Surface backBuffer;
    platform::Surface sprites;
    platform::Surface strip;
};

// Makes the surfaces and draws the background into the back buffer and onto the window.
void makeSurfaces(Surfaces& surfaces, platform::Window& window);
// Serves a Paint message: copies the part that needs paint from the back buffer.
void repaint(const Surfaces& surfaces, platform::Window& window);
void releaseSurfaces(Surfaces& surfaces);

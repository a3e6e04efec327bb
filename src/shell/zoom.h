#pragma once

namespace platform {
class Window;
}

// The zoom the player chose in an earlier run, set before the window shows.
void restoreZoom(platform::Window& window);
// The zoom chosen from the menu: applied, marked and kept for the next run.
void chooseZoom(platform::Window& window, int zoom);
// Marks the zoom in use and greys the zooms that do not fit on the screen;
// a zoom in use that does not fit gives way to x1.
void markZoomMenu(platform::Window& window);

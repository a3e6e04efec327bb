#pragma once

#include <string_view>

namespace platform {

class Window;

// Writes the window as the player sees it, menu bar and client area without
// the desktop's frame, to a PNG file. False when it could not be written.
bool saveWindowPicture(Window& window, std::string_view path);

} // namespace platform

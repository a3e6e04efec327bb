#pragma once

namespace platform {
class Window;
}

// Opens the game's help on its contents page.
void showHelp(platform::Window& window);

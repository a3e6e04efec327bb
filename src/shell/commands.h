#pragma once

#include <cstdint>

struct Game;
namespace platform {
class Window;
}

// A menu command; only the low 16 bits of the parameter are the command id.
void onCommand(Game& game, platform::Window& window, std::uint32_t wParam);

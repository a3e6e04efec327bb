#pragma once

#include <cstdint>

struct Game;

// What the window and the menu ask of the side panel; position is a click's
// point as a message parameter.
int panelRequest(Game& game, int code, std::int32_t position);

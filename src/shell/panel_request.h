#pragma once

#include <cstdint>

struct Game;

// What the window and the menu ask of the side panel; position is a click's
// point as a message parameter. Plays the panel's sounds while sound is on.
// Returns the panel's answer (hitTest, showTab or setClip), 0 for an unknown code.
int panelRequest(Game& game, int code, std::int32_t position);

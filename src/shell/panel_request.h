#pragma once

#include <cstdint>

struct Game;

// What the window and the menu ask of the side panel, by the codes its rule
// table is written in: a click, the three tab commands, the clip command and
// the first showing when the window is created, which stays silent.
enum class PanelRequest : int {
    Click = 1,
    TabDiamond = 3,
    TabStar = 4,
    TabTriangle = 5,
    Clip = 6,
    FirstShow = 10,
};

// position is a click's point as a message parameter. Plays the panel's sounds
// while sound is on. Returns the panel's answer (hitTest, showTab or setClip),
// 0 for a request the table does not hold.
int panelRequest(Game& game, PanelRequest request, std::int32_t position);

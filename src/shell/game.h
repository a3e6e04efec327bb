#pragma once

#include "core/round_status.h"
#include "engine/well.h"
#include "panel/side_panel.h"
#include "ranking/ranking.h"
#include "core/options.h"
#include "core/pattern_names.h"
#include "shell/sound_bank.h"
#include "core/canvas.h"
#include "shell/title_show.h"
#include "view/playfield_view.h"

#include <array>
#include <cstdint>

namespace platform {
class Window;
}

// Paints the well's cells with the view; the view must outlive the well.
WellPainter wellPainter(PlayfieldView& view);

// The whole running game. Members are built in the order they are declared
// and torn down in the reverse order.
struct Game {
    Game(platform::Window& window, Canvas& canvas, Options* options);
    // The well's painter points at this game's view.
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    platform::Window* window = nullptr;
    RoundStatus status;
    Options* options = nullptr;
    // NUL-terminated Shift-JIS names of the ten scoring patterns.
    PatternNames patternNames{};
    std::int32_t riseDue = 0;
    std::int32_t riseStep = 0;
    PlayfieldView view;
    SidePanel panel;
    Ranking ranking;
    SoundBank sounds;
    Well well;
    TitleShow title;
    // While a running game's play timers are set; pausing and resuming act once each.
    bool timersRunning = true;
    // While the player has paused the running game with the pause key or the pad.
    bool paused = false;
};

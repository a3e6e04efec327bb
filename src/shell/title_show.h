#pragma once

#include "core/timers.h"
#include "platform/geometry.h"
#include "platform/surface.h"
#include "core/canvas.h"

#include <array>
#include <cstdint>
#include <functional>

namespace platform {
class Window;
}

// Where the idle animation runs: the phase wave of the display cells and the
// turning logo. It lives as long as the game and carries over from one idle
// spell to the next.
struct TitleAnimation {
    std::array<std::int32_t, 10> digitPhases{0, 1, 2, 3, 4, 4, 3, 2, 1, 0};
    std::array<std::int32_t, 4> cellPhases{0, 1, 1, 0};
    std::int32_t logoFrame = 0;
    bool logoForward = true;
};

inline constexpr int phaseCount = 7;
inline constexpr int logoFrameCount = 20;
inline constexpr platform::Size logoFrameSize{35, 25};
inline constexpr platform::Point logoAt{472, 367};
inline constexpr platform::Size displayCell{15, 26};
inline constexpr int displayPitch = 16;
// The sprite sheet's display cell at phase p is at (phaseGlyphX + 15 p, phaseGlyphY).
inline constexpr int phaseGlyphX = 150;
inline constexpr int phaseGlyphY = 39;

inline constexpr platform::Point scoreCellsAt{470, 50};
inline constexpr platform::Point rowsCellsAt{470, 120};
inline constexpr platform::Point leftTimeAt{470, 290};
inline constexpr platform::Point rightTimeAt{550, 290};
// The right time readout repeats the score wave from this cell on.
inline constexpr int rightTimeFirstPhase = 5;

// The cells the tick draws: ten score cells, four rows cells, two times four time cells.
inline constexpr int titleCellCount = 22;
inline constexpr int titleTickMs = 77;

inline constexpr int startupSteps = 77;
inline constexpr int startupInset = 5;
inline constexpr int startupStepMs = 10;

// What a tick has on the window: the phase or logo frame it last drew in
// each place, -1 where it does not know. Anything else copied onto the
// window (a repaint, a game's readouts) or a new idle spell makes it forget.
struct TitleScreen {
    std::array<std::int8_t, titleCellCount> cells{};
    std::int8_t logo = -1;
    std::int64_t screenCopies = -1;
    int timerStarts = -1;
};

// The part of a picture that changes from one step to the next, found once
// from the sprite sheet and the logo frames; empty where the two are the same.
struct TitleChanges {
    bool found = false;
    std::array<std::array<platform::Rect, phaseCount>, phaseCount> phase{};
    // logo[k]: between frames k and k + 1, either way.
    std::array<platform::Rect, logoFrameCount - 1> logo{};
};

// The idle animation of the right-hand displays and the start-up effect.
struct TitleShow {
    explicit TitleShow(platform::Window& window, Canvas& canvas);

    // One step of the animation, on the window's screen only; only the parts
    // of cells whose picture changes are copied.
    void tick();

    Canvas* canvas = nullptr;
    // Counts the title timer's starts, each of which begins an idle spell.
    platform::Window* window = nullptr;
    platform::Surface logoFrames;
    TitleAnimation animation;
    TitleScreen shown;
    TitleChanges changes;
};

// Green outlines closing in from the desktop's edges, then the desktop as it
// was. `meanwhile` runs once, in the pause after the first outline, so that
// what the game needs is made while the effect already shows; the steps keep
// their times, as each pause is shortened by the time spent.
void startupEffect(const std::function<void()>& meanwhile);

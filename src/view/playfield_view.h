#pragma once

#include "core/round_status.h"
#include "platform/font.h"
#include "core/pattern_names.h"
#include "core/canvas.h"
#include "core/grid.h"

#include <cstdint>

// Areas that clearArea blacks out, by their codes; any other code fills nothing.
enum class ViewArea : int {
    Well = 1,
    Stock = 3,
    Next = 6,
};

// The index that updateBalloon takes to erase the balloon.
inline constexpr int eraseBalloonIndex = -1;

// The well's cells, the readouts beside the well and the speech balloon under
// the next-piece box.
// Every step draws into the back buffer, so a repaint keeps it, and onto the
// window's screen at the same place, so it shows at once.
struct PlayfieldView {
    explicit PlayfieldView(Canvas& canvas);

    // Draws the readouts whose value changed since they were last drawn, or all
    // six when forced.
    void redraw(const RoundStatus& status, bool force);
    // Paints the cell as the grid holds it: its sprite, or black when empty.
    void paintCell(const Grid& grid, int column, int row);
    // On the window only: blacks the cell's square raised by fromLift pixels
    // and draws colour's sprite raised by toLift, for the landing bounce.
    void paintLifted(int column, int row, std::int32_t colour, int fromLift, int toLift);
    void clearArea(ViewArea area);
    // Glyph for one decimal position of value (1 = units); sets digitCount.
    int digitAt(double value, int position);
    // index eraseBalloonIndex erases the balloon, 0 leaves it as it is, 1 to 10
    // draws the balloon naming that pattern. Returns whether a balloon was drawn.
    bool updateBalloon(const PatternNames& names, const RoundStatus& status, int index);

    Canvas* canvas = nullptr;
    platform::Font font;
    RoundStatus shown;
    std::int32_t digitCount = 0;
    bool balloonShown = false;

    // The value each readout showed when it was last drawn.
    struct Remembered {
        double score = 0.0;
        std::int32_t rowsCleared = 0;
        std::int32_t stock = 0;
        std::int32_t stageLength = 0;
        std::int32_t stageRemaining = 0;
        std::int32_t nextColour = 0;
    } remembered;

private:
    void drawScore();
    void drawRowsCleared();
    void drawStock();
    void drawStageLength();
    void drawStageRemaining();
    void drawNext();
    void drawDigits(int x, int y, int cells, double value);
    void copySprite(int x, int y, const platform::Rect& region);
    void drawBalloon(const PatternNames& names, int index);
    void eraseBalloon();
};

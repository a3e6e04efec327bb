#include "tests/view/view_fixture.h"

#include <vector>

namespace {

constexpr int unlit = 10;
constexpr platform::Colour black{0, 0, 0};

RoundStatus statusWith(double score, int rows, int stock, int stageLength, int stageRemaining, int next)
{
    RoundStatus status;
    status.score = score;
    status.rowsCleared = rows;
    status.stock = stock;
    status.stageLength = stageLength;
    status.stageRemaining = stageRemaining;
    status.nextColour = next;
    return status;
}

using Glyphs = std::vector<int>;

} // namespace

using PlayfieldReadouts = ViewTest;

TEST_F(PlayfieldReadouts, DigitReadoutsStandRightAlignedAfterUnlitCells)
{
    view.redraw(statusWith(0.0, 12345, 0, 100000, 50, 1), true);
    EXPECT_EQ(readout(470, 50, 10), (Glyphs{unlit, unlit, unlit, unlit, unlit, unlit, unlit, unlit, unlit, 0}));
    EXPECT_EQ(readout(470, 120, 4), (Glyphs{2, 3, 4, 5})) << "more digits than cells shows the lowest ones";
    EXPECT_EQ(readout(470, 290, 4), (Glyphs{1, 0, 0, 0})) << "100000 ms reads in tenths of a second";
    EXPECT_EQ(readout(550, 290, 4), (Glyphs{unlit, unlit, unlit, 0}));

    view.redraw(statusWith(700.0, 12345, 0, 100000, 50, 1), false);
    EXPECT_EQ(readout(470, 50, 10), (Glyphs{unlit, unlit, unlit, unlit, unlit, unlit, unlit, 7, 0, 0}));
}

TEST_F(PlayfieldReadouts, ScoreBeyondThirtyTwoBitsShowsItsLowestTenDigits)
{
    view.redraw(statusWith(123456789012.0, 0, 0, 0, 0, 1), true);
    EXPECT_EQ(readout(470, 50, 10), (Glyphs{3, 4, 5, 6, 7, 8, 9, 0, 1, 2}));
}

TEST_F(PlayfieldReadouts, StageClockOnTheTickOfARiseShowsOnlyUnlitCells)
{
    view.redraw(statusWith(0.0, 0, 0, 30000, 0, 1), true);
    EXPECT_EQ(readout(550, 290, 4), (Glyphs{unlit, unlit, unlit, 0}));

    view.redraw(statusWith(0.0, 0, 0, 30000, -100, 1), false);
    EXPECT_EQ(readout(550, 290, 4), (Glyphs{unlit, unlit, unlit, unlit}));
    EXPECT_EQ(differencesOutside(canvas.backBuffer, screen(), {}), 0);

    // Less than a tenth below zero truncates to zero.
    view.redraw(statusWith(0.0, 0, 0, 30000, -99, 1), false);
    EXPECT_EQ(readout(550, 290, 4), (Glyphs{unlit, unlit, unlit, 0}));
}

TEST_F(PlayfieldReadouts, DigitAtCountsDigitsAndLightsOnePosition)
{
    EXPECT_EQ(view.digitAt(700.0, 3), 7);
    EXPECT_EQ(view.digitCount, 3);
    EXPECT_EQ(view.digitAt(700.0, 1), 0);
    EXPECT_EQ(view.digitAt(700.0, 4), unlit);
    EXPECT_EQ(view.digitAt(0.0, 1), 0);
    EXPECT_EQ(view.digitCount, 1);
    EXPECT_EQ(view.digitAt(0.0, 2), unlit);
    EXPECT_EQ(view.digitAt(1000.0, 4), 1);
    EXPECT_EQ(view.digitCount, 4);
    EXPECT_EQ(view.digitAt(2147483647.0, 10), 2);
    EXPECT_EQ(view.digitAt(2147483647.0, 1), 7);
    EXPECT_EQ(view.digitAt(-1.0, 1), unlit);
}

TEST_F(PlayfieldReadouts, StockMarksFillTwoLinesOfFive)
{
    const platform::Rect stockBox{470, 190, 620, 248};

    view.redraw(statusWith(0.0, 0, 0, 0, 0, 1), true);
    EXPECT_TRUE(allOf(canvas.backBuffer, stockBox, black));
    EXPECT_TRUE(allOf(screen(), stockBox, black));

    view.redraw(statusWith(0.0, 0, 7, 0, 0, 1), false);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(markAt(canvas.backBuffer, 470 + 30 * i, 190)) << "first line, mark " << i;
        EXPECT_TRUE(markAt(screen(), 470 + 30 * i, 190)) << "first line, mark " << i;
    }
    EXPECT_TRUE(markAt(screen(), 470, 220));
    EXPECT_TRUE(markAt(screen(), 500, 220));
    EXPECT_TRUE(allOf(screen(), {530, 220, 620, 248}, black));

    // Fewer marks than before: the lost ones go.
    view.redraw(statusWith(0.0, 0, 5, 0, 0, 1), false);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(markAt(screen(), 470 + 30 * i, 190)) << "mark " << i;
    EXPECT_TRUE(allOf(canvas.backBuffer, {470, 217, 620, 248}, black));
    EXPECT_TRUE(allOf(screen(), {470, 217, 620, 248}, black));
}

TEST_F(PlayfieldReadouts, NextPieceShowsItsColourAndAnUnknownColourLeavesTheBoxEmpty)
{
    view.redraw(statusWith(0.0, 0, 0, 0, 0, 3), true);
    EXPECT_EQ(spriteAt(canvas.backBuffer, 470, 360), 3);
    EXPECT_EQ(spriteAt(screen(), 470, 360), 3);

    view.redraw(statusWith(0.0, 0, 0, 0, 0, 0), false);
    EXPECT_TRUE(allOf(canvas.backBuffer, {470, 360, 510, 400}, black));
    EXPECT_TRUE(allOf(screen(), {470, 360, 510, 400}, black));
}

TEST_F(PlayfieldReadouts, RedrawCopiesOnlyTheReadoutsThatChanged)
{
    constexpr std::int64_t digitCell = 15 * 26;
    constexpr std::int64_t mark = 27 * 27;
    constexpr std::int64_t sprite = 39 * 39;
    RoundStatus status = statusWith(700.0, 3, 2, 100000, 100000, 2);

    std::int64_t before = screen().copiedPixels();
    view.redraw(status, true);
    EXPECT_EQ(screen().copiedPixels() - before, 10 * digitCell + 4 * digitCell + 2 * mark + 8 * digitCell + sprite)
        << "forced, all six readouts are drawn";
    EXPECT_EQ(differencesOutside(canvas.backBuffer, screen(), {}), 0);

    before = screen().copiedPixels();
    const std::int64_t bufferBefore = canvas.backBuffer.copiedPixels();
    view.redraw(status, false);
    view.redraw(status, false);
    EXPECT_EQ(screen().copiedPixels(), before) << "an unchanged status draws nothing";
    EXPECT_EQ(canvas.backBuffer.copiedPixels(), bufferBefore);

    // A tick of the rise clock moves the stage remaining only.
    status.stageRemaining -= 100;
    before = screen().copiedPixels();
    view.redraw(status, false);
    EXPECT_EQ(screen().copiedPixels() - before, 4 * digitCell);
    EXPECT_EQ(readout(550, 290, 4), (Glyphs{unlit, 9, 9, 9}));
    EXPECT_EQ(readout(470, 290, 4), (Glyphs{1, 0, 0, 0}));
    EXPECT_EQ(differencesOutside(canvas.backBuffer, screen(), {}), 0);
}

TEST_F(PlayfieldReadouts, ClearAreaBlacksOutExactlyItsAreaAndUnknownCodesNothing)
{
    struct Case {
        ViewArea code;
        platform::Rect area;
    };
    const Case cases[] = {
        {ViewArea::Well, {177, 20, 457, 460}},
        {ViewArea::Stock, {470, 190, 620, 248}},
        {ViewArea::Next, {470, 360, 510, 400}},
    };
    for (int code : {-1, 0, 2, 4, 5, 7, 100})
        view.clearArea(static_cast<ViewArea>(code));
    EXPECT_EQ(differencesOutside(canvas.backBuffer, background, {}), 0);
    EXPECT_EQ(differencesOutside(screen(), background, {}), 0);

    for (const Case& c : cases) {
        view.clearArea(c.code);
        EXPECT_TRUE(allOf(canvas.backBuffer, c.area, black)) << "code " << static_cast<int>(c.code);
        EXPECT_TRUE(allOf(screen(), c.area, black)) << "code " << static_cast<int>(c.code);
    }
    platform::Rect cleared{};
    for (const Case& c : cases)
        cleared = platform::unite(cleared, c.area);
    // The three areas together touch nothing else: count against their union,
    // then check the pixels of the union that lie outside every area.
    EXPECT_EQ(differencesOutside(canvas.backBuffer, background, cleared), 0);
    int outsideAll = 0;
    for (int y = cleared.top; y < cleared.bottom; ++y) {
        for (int x = cleared.left; x < cleared.right; ++x) {
            bool inside = false;
            for (const Case& c : cases)
                inside = inside || c.area.contains(x, y);
            outsideAll += !inside && canvas.backBuffer.pixel(x, y) != backgroundAt(x, y);
        }
    }
    EXPECT_EQ(outsideAll, 0);
}

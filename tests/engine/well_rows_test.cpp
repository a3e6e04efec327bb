#include "tests/engine/well_fixture.h"

#include <set>
#include <string>

namespace {

// Risen rows of blocks that form no pattern.
constexpr const char* deadRowA = "ABACDBA";
constexpr const char* deadRowB = "BCADBAC";

} // namespace

TEST_F(WellTest, tamaroWithStockTakesTheFullRisenRowsBelowAsBonusRows)
{
    fillRow(11, deadRowA, firstBlockCode);
    fillRow(10, deadRowB, firstBlockCode);
    fillRow(9, "ABBBBB.");
    place(2, 8, 5);
    status.stock = 3;
    place(7, 9, 1);

    const LandingResult landing = well.resolveLanding();
    EXPECT_EQ(landing.pattern, Tamaro);
    EXPECT_EQ(landing.rowsRemoved, 3);
    EXPECT_EQ(landing.points, 4500);
    EXPECT_EQ(status.score, 4500.0);
    EXPECT_EQ(status.stock, 1);
    EXPECT_EQ(status.rowsCleared, 3);
    EXPECT_EQ(status.rowsThisLock, 0);
    // The cell above the removed rows fell to the floor.
    EXPECT_EQ(cell(2, 11), 5);
    EXPECT_EQ(cellPixel(window.screen(), 2, 11), spriteColour(5));
    EXPECT_EQ(cellPixel(window.screen(), 2, 8), platform::rgb(0, 0, 0));
    EXPECT_TRUE(wellIsSound(well, canvas, false));
}

TEST_F(WellTest, bonusRowsNeedStockAndAFullBottomRow)
{
    fillRow(11, deadRowA, firstBlockCode);
    fillRow(10, "ABCBCB.");
    status.stock = 0;
    place(7, 10, 1);
    LandingResult landing = well.resolveLanding();
    EXPECT_EQ(landing.pattern, DoubleMixPunch);
    EXPECT_EQ(landing.points, 2000);
    EXPECT_EQ(status.stock, 0);
    EXPECT_EQ(cell(1, 11), firstBlockCode);

    // A full row that forms no pattern stays, and other patterns never take it.
    well.resetWell(status);
    fillRow(11, "ABCDEFG");
    fillRow(10, "AAAAAA.");
    status.stock = 5;
    place(7, 10, 1);
    landing = well.resolveLanding();
    EXPECT_EQ(landing.pattern, ExtraPunch);
    EXPECT_EQ(landing.rowsRemoved, 1);
    EXPECT_EQ(status.stock, 6);
    EXPECT_EQ(cell(7, 11), 7);

    fillRow(10, "ABCDEF.");
    place(7, 10, 2);
    landing = well.resolveLanding();
    EXPECT_EQ(landing.pattern, NoPattern);
    EXPECT_EQ(landing.points, 0);
    EXPECT_EQ(status.rowsCleared, 1);
    EXPECT_EQ(cell(7, 10), 2);
    EXPECT_TRUE(wellIsSound(well, canvas, false));
}

// Each pattern over two full risen rows: its points, its stock marks kept
// between 0 and 10, and bonus rows only for 4 and 6, one mark each.
TEST_F(WellTest, everyPatternScoresAndOnlyTamaroAndDoubleMixPunchTakeBonusRows)
{
    struct Case {
        std::string row;
        std::int32_t last;
        std::int32_t stockBefore;
        RowPattern pattern;
        std::int32_t points;
        std::int32_t stockAfter;
        int risenRowsLeft;
    };
    const Case cases[] = {
        {"AABBCC.", 3, 2, ThreePon, 100, 2, 2},      {"AAAABB.", 2, 2, TwoPon, 200, 2, 2},
        {"ABABAB.", 1, 10, MixPunch, 600, 10, 2},    {"ABBBBB.", 1, 1, Tamaro, 3000, 0, 1},
        {"AAAAAA.", 1, 2, ExtraPunch, 700, 3, 2},    {"ABCBCB.", 1, 5, DoubleMixPunch, 6000, 3, 0},
        {"AABABA.", 1, 2, ContrastPunch, 500, 3, 2}, {"AABCBC.", 2, 2, PonMix, 400, 2, 2},
        {"AAAABC.", 2, 2, MixExtraPunch, 800, 3, 2}, {"AAABCB.", 3, 9, PremiumPunch, 900, 10, 2},
    };
    for (const Case& c : cases) {
        well.resetWell(status);
        fillRow(11, deadRowA, firstBlockCode);
        fillRow(10, deadRowB, firstBlockCode);
        fillRow(9, c.row);
        status.stock = c.stockBefore;
        place(7, 9, c.last);
        const LandingResult landing = well.resolveLanding();
        EXPECT_EQ(landing.pattern, c.pattern) << c.row;
        EXPECT_EQ(landing.rowsRemoved, 3 - c.risenRowsLeft) << c.row;
        EXPECT_EQ(landing.points, c.points) << c.row;
        EXPECT_EQ(status.score, c.points) << c.row;
        EXPECT_EQ(status.stock, c.stockAfter) << c.row;
        // What is left of the risen rows: B on the floor when one is, A above it when both are.
        EXPECT_EQ(cell(1, 11), c.risenRowsLeft == 0 ? emptyCell : c.risenRowsLeft == 1 ? 10 : 9) << c.row;
        EXPECT_EQ(cell(1, 10), c.risenRowsLeft == 2 ? 10 : emptyCell) << c.row;
    }
    // A pattern id that is none at all scores nothing and only clamps.
    status.lastPattern = 42;
    status.rowsThisLock = 1;
    status.stock = 12;
    const double before = status.score;
    EXPECT_EQ(well.scoreLanding(), 0);
    EXPECT_EQ(status.score, before);
    EXPECT_EQ(status.stock, 10);
}

// After every landing, with a pattern or without one.
TEST_F(WellTest, colourWindowMovesOnlyWhenTheNextPieceLiesInsideTheMovedWindow)
{
    struct Case {
        const char* row;
        std::int32_t last;
        std::int32_t base;
        std::int32_t next;
        std::int32_t baseAfter;
    };
    const Case cases[] = {
        {"AAAAAA.", 1, 1, 2, 2},
        {"AAAAAA.", 1, 1, 1, 1},
        {"AAAAAA.", 1, 1, 5, 2},
        {"AAAAAA.", 1, 1, 6, 1},
        {"AAAAAA.", 1, 8, 1, 1},
        {"AAAAAA.", 1, 7, 8, 8},
        {"AAAAAA.", 1, 7, 7, 7},
        // A full row that forms nothing stays, and only full rows are left.
        {"ABCDEF.", 7, 1, 2, 2},
        // A row with a hole is not full.
        {"ABCDE..", 7, 1, 2, 1},
    };
    for (const Case& c : cases) {
        well.resetWell(status);
        fillRow(11, c.row);
        well.colourBase = c.base;
        status.nextColour = c.next;
        place(7, 11, c.last);
        well.resolveLanding();
        EXPECT_EQ(well.colourBase, c.baseAfter) << c.row << " " << c.base << " " << c.next;
    }
}

TEST_F(WellTest, onlyFullRowsLeftLooksAboveTheFullRowsAtTheBottom)
{
    EXPECT_TRUE(well.onlyFullRowsLeft());
    fillRow(11, "ABCDEF.");
    EXPECT_FALSE(well.onlyFullRowsLeft()) << "a row open in its last column is not full";
    fillRow(11, deadRowA, firstBlockCode);
    fillRow(10, deadRowB, firstBlockCode);
    EXPECT_TRUE(well.onlyFullRowsLeft());
    place(7, 9, 2);
    EXPECT_FALSE(well.onlyFullRowsLeft());
    for (int row = bottomRow - 2; row >= topRow + 1; --row)
        fillRow(row, row % 2 ? deadRowA : deadRowB);
    EXPECT_TRUE(well.onlyFullRowsLeft()) << "ten full rows under an empty top row";
    fillRow(1, deadRowA);
    EXPECT_FALSE(well.onlyFullRowsLeft()) << "a full well";
}

TEST_F(WellTest, aRemovedRowLowersAColumnThatReachesTheTopRow)
{
    fillRow(11, "AAAAAA.");
    for (int row = bottomRow - 1; row >= topRow; --row)
        place(1, row, 2 + row % 3);
    place(7, 11, 1);
    ASSERT_EQ(well.resolveLanding().pattern, ExtraPunch);
    for (int row = bottomRow; row >= topRow + 1; --row)
        EXPECT_EQ(cell(1, row), 2 + (row - 1) % 3) << row;
    EXPECT_EQ(cell(1, topRow), emptyCell);
    EXPECT_TRUE(wellIsSound(well, canvas, false));
}

TEST_F(WellTest, hintLooksOnlyAtTheLowestRowLackingOneCell)
{
    status.lastPattern = 7;
    well.pieceColour = 1;
    EXPECT_EQ(well.probeHint(), NoPattern);
    EXPECT_EQ(status.lastPattern, 7);

    fillRow(11, "AAAAAA.");
    well.spawnPiece();
    well.pieceColour = 1;
    EXPECT_EQ(well.probeHint(), ExtraPunch);
    EXPECT_EQ(status.lastPattern, ExtraPunch);
    EXPECT_EQ(cell(7, 11), emptyCell);
    EXPECT_EQ(well.pieceRow, 1);

    // Row 11 now lacks one cell but forms nothing; the row above would.
    well.resetWell(status);
    fillRow(11, "ABCDEF.");
    fillRow(10, "AAAAA..");
    place(6, 10, 1);
    well.pieceColour = 1;
    well.pieceRow = 1;
    EXPECT_EQ(well.probeHint(), NoPattern);
    EXPECT_EQ(status.lastPattern, NoPattern);

    // Row 2 is the last row looked at; the top row never is.
    well.resetWell(status);
    for (int row = bottomRow; row >= 3; --row)
        fillRow(row, row % 2 ? deadRowA : deadRowB, firstBlockCode);
    fillRow(2, "AAAAAA.");
    well.pieceColour = 1;
    EXPECT_EQ(well.probeHint(), ExtraPunch);
    fillRow(2, deadRowB, firstBlockCode);
    fillRow(1, "AAAAAA.");
    well.pieceColour = 1;
    status.lastPattern = 7;
    EXPECT_EQ(well.probeHint(), NoPattern);
    EXPECT_EQ(status.lastPattern, 7);
}

TEST_F(WellTest, aRiseKeepsAMidAirPieceInItsRowAndLiftsARestingOne)
{
    stack(2, {3, 4});
    stack(5, {6});
    place(2, 4, 7);
    RiseResult result = well.riseRow();
    EXPECT_EQ(result, RiseResult::PieceKept);
    EXPECT_EQ(well.pieceRow, 4);
    EXPECT_EQ(well.pieceColour, 7);
    EXPECT_EQ(cell(2, 4), 7);
    EXPECT_EQ(cell(2, 9), 4);
    EXPECT_EQ(cell(2, 10), 3);
    EXPECT_EQ(cell(5, 10), 6);
    EXPECT_EQ(status.lastPattern, NoPattern);
    EXPECT_TRUE(wellIsSound(well, canvas, true));

    // A piece resting on its column goes up with it.
    well.erasePiece();
    place(2, 8, 7);
    result = well.riseRow();
    EXPECT_EQ(result, RiseResult::PieceKept);
    EXPECT_EQ(well.pieceRow, 7);
    EXPECT_EQ(cell(2, 7), 7);
    EXPECT_EQ(cell(2, 8), 4);
    EXPECT_EQ(cellPixel(window.screen(), 2, 7), spriteColour(7));
    EXPECT_EQ(cellPixel(window.screen(), 2, 8), spriteColour(4));
    EXPECT_TRUE(wellIsSound(well, canvas, true));
}

TEST_F(WellTest, aRisenBottomRowIsBlocksOfAllFourCodesAndNeverAPattern)
{
    std::set<std::int32_t> seen;
    for (std::uint32_t s = 0; s < 200; ++s) {
        seed(well.random, s);
        well.resetWell(status);
        place(4, 1, 1);
        ASSERT_EQ(well.riseRow(), RiseResult::PieceKept);
        RowCodes row{};
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const std::int32_t code = cell(column, bottomRow);
            ASSERT_GE(code, firstBlockCode);
            ASSERT_LE(code, firstBlockCode + blockCodeCount - 1);
            row[static_cast<std::size_t>(column - 1)] = code;
            seen.insert(code);
            ASSERT_EQ(cellPixel(canvas.backBuffer, column, bottomRow), spriteColour(code));
        }
        ASSERT_EQ(classifyRow(row), NoPattern) << "seed " << s;
        ASSERT_EQ(status.lastPattern, NoPattern);
    }
    EXPECT_EQ(seen, (std::set<std::int32_t>{9, 10, 11, 12}));
}

TEST_F(WellTest, aRiseUnderAPieceRestingInTheTopRowPushesItOutAndLeavesTheWallWhole)
{
    stack(4, {1, 2, 3, 1, 2, 3, 1, 2, 3, 1});
    place(4, 1, 5);
    const platform::Colour aboveWell = canvas.backBuffer.pixel(cellX(4) + 10, cellY(1) - 10);
    EXPECT_EQ(well.riseRow(), RiseResult::PiecePushedOut);
    EXPECT_EQ(well.pieceRow, 1);
    EXPECT_EQ(well.pieceColumn, 4);
    EXPECT_EQ(well.pieceColour, 5);
    EXPECT_EQ(cell(4, 1), 1);
    EXPECT_EQ(cell(4, wallRow), wallCode);
    // No landing can judge or clear the wall row.
    EXPECT_FALSE(well.evaluateLandingRow().has_value());
    well.clearRow(wallRow);
    EXPECT_TRUE(wellIsSound(well, canvas, false));

    well.gameOverFill();
    EXPECT_EQ(canvas.backBuffer.pixel(cellX(4) + 10, cellY(1) - 10), aboveWell);
    EXPECT_EQ(cell(4, 1), 5);
    EXPECT_TRUE(wellIsSound(well, canvas, false));

    // A piece in the top row in mid-air stays where it is.
    well.resetWell(status);
    stack(3, {1, 2, 3, 1, 2, 3, 1, 2, 3});
    place(3, 1, 5);
    EXPECT_EQ(well.riseRow(), RiseResult::PieceKept);
    EXPECT_EQ(well.pieceRow, 1);
    EXPECT_EQ(cell(3, 1), 5);
    EXPECT_EQ(cell(3, 2), 3);
}

#include "tests/engine/well_fixture.h"

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
    EXPECT_TRUE(wellIsSound(well, false));
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
    EXPECT_TRUE(wellIsSound(well, false));
}

TEST_F(WellTest, stockIsKeptBetweenZeroAndTen)
{
    struct Case {
        std::string row;
        std::int32_t last;
        std::int32_t stockBefore;
        std::int32_t stockAfter;
        std::int32_t points;
    };
    const Case cases[] = {
        {"AAABAB.", 1, 9, 10, 900},  // premium punch: two marks
        {"ABABAB.", 1, 10, 10, 600}, // mix punch: one mark
        {"AABBBC.", 3, 4, 4, 100},   // three-pon: none
    };
    for (const Case& c : cases) {
        well.resetWell(status);
        status.stock = c.stockBefore;
        fillRow(11, c.row);
        place(7, 11, c.last);
        const LandingResult landing = well.resolveLanding();
        EXPECT_EQ(landing.points, c.points) << c.row;
        EXPECT_EQ(status.stock, c.stockAfter) << c.row;
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

TEST_F(WellTest, colourWindowMovesOnlyWhenTheNextPieceLiesInsideTheMovedWindow)
{
    struct Case {
        std::int32_t base;
        std::int32_t next;
        std::int32_t baseAfter;
    };
    const Case cases[] = {{1, 2, 2}, {1, 1, 1}, {1, 5, 2}, {1, 6, 1}, {8, 1, 1}, {7, 8, 8}, {7, 7, 7}};
    for (const Case& c : cases) {
        well.resetWell(status);
        fillRow(11, "AAAAAA.");
        well.colourBase = c.base;
        status.nextColour = c.next;
        place(7, 11, 1);
        well.resolveLanding();
        EXPECT_TRUE(well.onlyFullRowsLeft());
        EXPECT_EQ(well.colourBase, c.baseAfter) << c.base << " " << c.next;
    }
}

TEST_F(WellTest, onlyFullRowsLeftLooksAboveTheFullRowsAtTheBottom)
{
    EXPECT_TRUE(well.onlyFullRowsLeft());
    fillRow(11, deadRowA, firstBlockCode);
    fillRow(10, deadRowB, firstBlockCode);
    EXPECT_TRUE(well.onlyFullRowsLeft());
    place(3, 9, 2);
    EXPECT_FALSE(well.onlyFullRowsLeft());
    for (int row = bottomRow - 2; row >= topRow; --row)
        fillRow(row, row % 2 ? deadRowA : deadRowB);
    EXPECT_FALSE(well.onlyFullRowsLeft());
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
    EXPECT_TRUE(wellIsSound(well, true));

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
    EXPECT_TRUE(wellIsSound(well, true));
}

TEST_F(WellTest, aRisenBottomRowIsBlocksAndNeverAPattern)
{
    for (std::uint32_t s = 0; s < 200; ++s) {
        seed(gameRandom(), s);
        well.resetWell(status);
        place(4, 1, 1);
        ASSERT_EQ(well.riseRow(), RiseResult::PieceKept);
        RowCodes row{};
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const std::int32_t code = cell(column, bottomRow);
            ASSERT_GE(code, firstBlockCode);
            ASSERT_LE(code, firstBlockCode + blockCodeCount - 1);
            row[static_cast<std::size_t>(column - 1)] = code;
            ASSERT_EQ(cellPixel(surfaces.backBuffer, column, bottomRow), spriteColour(code));
        }
        ASSERT_EQ(classifyRow(row), NoPattern) << "seed " << s;
        ASSERT_EQ(status.lastPattern, NoPattern);
    }
}

TEST_F(WellTest, aRiseUnderAPieceRestingInTheTopRowPushesItOutAndLeavesTheWallWhole)
{
    stack(4, {1, 2, 3, 1, 2, 3, 1, 2, 3, 1});
    place(4, 1, 5);
    const platform::Colour aboveWell = surfaces.backBuffer.pixel(cellX(4) + 10, cellY(1) - 10);
    EXPECT_EQ(well.riseRow(), RiseResult::PiecePushedOut);
    EXPECT_EQ(well.pieceRow, 1);
    EXPECT_EQ(well.pieceColumn, 4);
    EXPECT_EQ(well.pieceColour, 5);
    EXPECT_EQ(cell(4, 1), 1);
    EXPECT_EQ(cell(4, wallRow), wallCode);
    // No landing can judge or clear the wall row.
    EXPECT_FALSE(well.evaluateLandingRow().has_value());
    well.clearRow(wallRow);
    EXPECT_TRUE(wellIsSound(well, false));

    well.gameOverFill();
    EXPECT_EQ(surfaces.backBuffer.pixel(cellX(4) + 10, cellY(1) - 10), aboveWell);
    EXPECT_EQ(cell(4, 1), 5);
    EXPECT_TRUE(wellIsSound(well, false));

    // A piece in the top row in mid-air stays where it is.
    well.resetWell(status);
    stack(3, {1, 2, 3, 1, 2, 3, 1, 2, 3});
    place(3, 1, 5);
    EXPECT_EQ(well.riseRow(), RiseResult::PieceKept);
    EXPECT_EQ(well.pieceRow, 1);
    EXPECT_EQ(cell(3, 1), 5);
    EXPECT_EQ(cell(3, 2), 3);
}

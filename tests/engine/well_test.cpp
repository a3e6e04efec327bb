#include "tests/engine/well_fixture.h"

#include <set>
#include <vector>

namespace {

// One player step as the game makes it: erase, move, draw.
void step(Well& well, MoveCommand command)
{
    well.erasePiece();
    well.movePiece(command);
    well.paintPiece();
}

} // namespace

TEST_F(WellTest, newGameBuildsAnEmptyWalledWellAndStartsWithTwoPiecesOfColourOne)
{
    status.score = 900;
    status.stock = 7;
    well.colourBase = 5;
    Random reference;
    seed(reference, 321);
    seed(well.random, 321);
    well.resetWell(status);
    draw(reference);
    EXPECT_EQ(draw(well.random), draw(reference)) << "a new game draws its first next colour, and only that";
    EXPECT_TRUE(wellIsSound(well, canvas, false));
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = topRow; row <= bottomRow; ++row)
            ASSERT_EQ(cell(column, row), emptyCell);
    }
    EXPECT_EQ(status.score, 0.0);
    EXPECT_EQ(status.stock, 0);
    EXPECT_EQ(status.dropInterval, 2000);
    EXPECT_EQ(status.lastPattern, 1);
    EXPECT_EQ(well.colourBase, 1);
    well.pieceColumn = 6;
    well.pieceRow = 9;
    well.spawnPiece();
    EXPECT_EQ(well.pieceColour, 1);
    EXPECT_EQ(status.nextColour, 1);
    EXPECT_EQ(well.pieceColumn, 4);
    EXPECT_EQ(well.pieceRow, 1);
    EXPECT_FALSE(well.spawnBlocked());
    stack(4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    well.spawnPiece();
    EXPECT_TRUE(well.spawnBlocked());
}

TEST_F(WellTest, wallsFloorAndStacksStopEveryMove)
{
    place(1, 5, 3);
    EXPECT_EQ(well.isBlocked(MoveCommand::Left), wallCode);
    well.movePiece(MoveCommand::Left);
    EXPECT_EQ(well.pieceColumn, 1);

    step(well, MoveCommand::Right);
    for (int i = 0; i < 10; ++i)
        step(well, MoveCommand::Right);
    EXPECT_EQ(well.pieceColumn, 7);
    EXPECT_EQ(well.isBlocked(MoveCommand::Right), wallCode);

    well.erasePiece();
    well.pieceRow = bottomRow;
    EXPECT_EQ(well.isBlocked(MoveCommand::Down), wallCode);
    EXPECT_EQ(well.isBlocked(MoveCommand::Drop), wallCode);
    well.movePiece(MoveCommand::Drop);
    well.movePiece(MoveCommand::Down);
    EXPECT_EQ(well.pieceRow, bottomRow);

    stack(5, {2});
    place(6, 11, 4);
    EXPECT_EQ(well.isBlocked(MoveCommand::Left), 2);
    well.movePiece(MoveCommand::Left);
    EXPECT_EQ(well.pieceColumn, 6);
    // Codes that are no command look at nothing and move nothing.
    for (const std::int32_t code : {-1, 0, 1, 3, 7, 8, 9, 10, 1000}) {
        EXPECT_EQ(well.isBlocked(static_cast<MoveCommand>(code)), emptyCell);
        well.movePiece(static_cast<MoveCommand>(code));
        EXPECT_EQ(well.pieceColumn, 6);
        EXPECT_EQ(well.pieceRow, 11);
    }
    EXPECT_TRUE(wellIsSound(well, canvas, true));
}

TEST_F(WellTest, aDropFallsToTheFloorOrOntoTheStack)
{
    place(2, 1, 1);
    step(well, MoveCommand::Drop);
    EXPECT_EQ(well.pieceRow, 11);
    EXPECT_EQ(cell(2, 11), 1);
    EXPECT_EQ(cell(2, 1), emptyCell);

    stack(6, {3, 4, 5});
    place(6, 1, 2);
    step(well, MoveCommand::Drop);
    EXPECT_EQ(well.pieceRow, 8);
    EXPECT_TRUE(wellIsSound(well, canvas, false));
}

TEST_F(WellTest, piecesComeFromTheColourWindowWrappingPastEight)
{
    well.colourBase = 7;
    status.colourCount = 4;
    std::set<std::int32_t> seen;
    for (int i = 0; i < 400; ++i) {
        well.spawnPiece();
        seen.insert(well.pieceColour);
    }
    EXPECT_EQ(seen, (std::set<std::int32_t>{7, 8, 1, 2}));
}

TEST_F(WellTest, paintAndEraseDrawOnTheBackBufferAndTheScreen)
{
    place(3, 7, 6);
    EXPECT_EQ(cell(3, 7), 6);
    EXPECT_EQ(cellPixel(canvas.backBuffer, 3, 7), spriteColour(6));
    EXPECT_EQ(cellPixel(window.screen(), 3, 7), spriteColour(6));
    EXPECT_EQ(window.screen().pixel(cellX(3) + 38, cellY(7) + 38), spriteColour(6));
    // The cell is 39 pixels square, with a black pitch gap after it.
    EXPECT_EQ(canvas.backBuffer.pixel(cellX(3), cellY(7)), spriteColour(6));
    EXPECT_EQ(canvas.backBuffer.pixel(cellX(3) + 38, cellY(7) + 38), spriteColour(6));
    EXPECT_EQ(canvas.backBuffer.pixel(cellX(3) + 39, cellY(7) + 38), platform::rgb(0, 0, 0));

    well.erasePiece();
    EXPECT_EQ(cell(3, 7), emptyCell);
    EXPECT_EQ(well.lastRow, 7);
    EXPECT_EQ(cellPixel(canvas.backBuffer, 3, 7), platform::rgb(0, 0, 0));
    EXPECT_EQ(cellPixel(window.screen(), 3, 7), platform::rgb(0, 0, 0));
}

TEST_F(WellTest, aLongFallBouncesOnTheScreenOnlyForNinetyMilliseconds)
{
    auto& clock = platform::Clock::instance();
    place(3, 1, 5);
    step(well, MoveCommand::Drop);
    const platform::Colour above = canvas.backBuffer.pixel(cellX(3) + 10, cellY(11) - 3);
    std::vector<platform::Rect> drawn;
    std::vector<platform::Colour> raisedBottom;
    window.screen().setChangeListener([&](const platform::Rect& r) {
        drawn.push_back(r);
        raisedBottom.push_back(window.screen().pixel(cellX(3) + 10, cellY(11) + 33));
    });
    EXPECT_TRUE(well.landingBounce());
    window.screen().setChangeListener({});
    EXPECT_EQ(clock.pauses(), std::vector<int>{90});
    const int x = cellX(3);
    const int y = cellY(11);
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0], (platform::Rect{x, y, x + 39, y + 39})) << "the cell is blacked before the raised sprite";
    EXPECT_EQ(drawn[1], (platform::Rect{x, y - 5, x + 39, y + 34}));
    EXPECT_EQ(raisedBottom[1], spriteColour(5)) << "the whole sprite is shown raised";
    EXPECT_EQ(drawn[2], (platform::Rect{x, y - 5, x + 39, y + 34})) << "the raised square is blacked";
    EXPECT_EQ(drawn[3], (platform::Rect{x, y, x + 39, y + 39}));
    EXPECT_EQ(cellPixel(window.screen(), 3, 11), spriteColour(5));
    EXPECT_EQ(window.screen().pixel(cellX(3) + 38, cellY(11) + 38), spriteColour(5));
    EXPECT_EQ(window.screen().pixel(cellX(3) + 10, cellY(11) - 3), above) << "the raised sprite is gone";
    EXPECT_EQ(canvas.backBuffer.pixel(cellX(3) + 10, cellY(11) - 3), above);

    // A drop of one row and a step down never bounce.
    clock.clearPauses();
    place(5, 10, 2);
    step(well, MoveCommand::Drop);
    EXPECT_EQ(well.pieceRow, 11);
    EXPECT_FALSE(well.landingBounce());
    place(6, 1, 2);
    step(well, MoveCommand::Down);
    EXPECT_FALSE(well.landingBounce());
    EXPECT_TRUE(clock.pauses().empty());
}

TEST_F(WellTest, timersAreSetAndKilledOnTheWindow)
{
    well.startDropTimer(2000);
    well.startRiseTimer(100);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Drop)), 2000);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Rise)), 100);
    well.startDropTimer(1500);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Drop)), 1500);
    EXPECT_EQ(window.timerStarts(timerId(GameTimer::Drop)), 2);
    well.stopDropTimer();
    well.stopRiseTimer();
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Drop)), 0);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Rise)), 0);
}

TEST_F(WellTest, gameOverFillPaintsEveryCellFromTheBottomRowUpWithItsPauses)
{
    well.startDropTimer(2000);
    well.startRiseTimer(100);
    stack(4, {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2});
    status.nextColour = 6;
    well.spawnPiece();
    ASSERT_TRUE(well.spawnBlocked());

    std::vector<platform::Rect> drawn;
    canvas.backBuffer.setChangeListener([&](const platform::Rect& r) { drawn.push_back(r); });
    well.gameOverFill();
    canvas.backBuffer.setChangeListener({});

    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Drop)), 0);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Rise)), 0);
    std::vector<int> expectedPauses{200};
    expectedPauses.insert(expectedPauses.end(), 11, 150);
    expectedPauses.push_back(1000);
    EXPECT_EQ(platform::Clock::instance().pauses(), expectedPauses);

    ASSERT_EQ(drawn.size(), 1u + 77u);
    EXPECT_EQ(drawn[0].left, cellX(4));
    EXPECT_EQ(drawn[0].top, cellY(1));
    std::size_t i = 1;
    for (int row = bottomRow; row >= topRow; --row) {
        for (int column = firstColumn; column <= lastColumn; ++column, ++i) {
            EXPECT_EQ(drawn[i].left, cellX(column));
            EXPECT_EQ(drawn[i].top, cellY(row));
            EXPECT_EQ(cell(column, row), 6);
            EXPECT_EQ(cellPixel(window.screen(), column, row), spriteColour(6));
        }
    }
    EXPECT_TRUE(wellIsSound(well, canvas, false));
}

#include "tests/shell/game_flow_fixture.h"

#include "engine/well.h"

#include <array>
#include <vector>

TEST_F(GameFlowTest, startingAGameSetsThePlayTimersMenuAndFirstPiece)
{
    startGame();
    EXPECT_EQ(options().gameRunning, 1);
    EXPECT_EQ(window.timerPeriod(100), 2000);
    EXPECT_EQ(window.timerPeriod(101), 100);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Title)), 0);
    platform::Menu& menu = window.menu();
    EXPECT_FALSE(menu.isEnabled(command::Start));
    EXPECT_FALSE(menu.isEnabled(command::Difficulty));
    EXPECT_TRUE(menu.isEnabled(command::Restart));
    EXPECT_FALSE(menu.contains(command::Ranking));
    const std::array<int, 1> gamePopup{0};
    EXPECT_EQ(menu.itemTexts(gamePopup),
              (std::vector<std::string>{"開始(&K)", "最初から(&N)", "", "設定(&S)", "", "タマロの終了(&X)"}));
    EXPECT_EQ(game().well.pieceColumn, 4);
    EXPECT_EQ(game().well.pieceRow, 1);
    EXPECT_EQ(cell(4, 1), 1) << "the first pieces of a game have colour 1";
    EXPECT_EQ(game().riseDue, 1);
    EXPECT_EQ(game().riseStep, 0);

    timer(101);
    timer(101);
    command(command::Restart);
    command(command::Start);
    EXPECT_EQ(menu.itemTexts(gamePopup).size(), 6u) << "the ranking entry goes only once a run";
    timer(101);
    EXPECT_EQ(game().status.stageLength, 100000) << "a new game starts the rise schedule again";
}

TEST_F(GameFlowTest, aWholeGameRunsFromStartToGameOverAndBackToIdle)
{
    startGame(12345);
    int ticks = 0;
    while (options().gameRunning == 1 && ticks < 2000) {
        timer(100);
        ++ticks;
    }
    ASSERT_EQ(options().gameRunning, 0) << "pieces stacking in one column end the game";
    for (int column = 1; column <= 7; ++column) {
        for (int row = 1; row <= 11; ++row)
            ASSERT_EQ(cell(column, row), game().well.pieceColour) << column << "," << row;
    }
    EXPECT_TRUE(paused(200));
    EXPECT_TRUE(paused(1000));
    EXPECT_EQ(window.timerPeriod(100), 0);
    EXPECT_EQ(window.timerPeriod(101), 0);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Title)), 77);
    EXPECT_TRUE(window.menu().isEnabled(command::Start));
    EXPECT_FALSE(window.menu().isEnabled(command::Restart));
    EXPECT_EQ(litPixels({cellX(1), cellY(1), cellX(8), cellY(2)}), 0) << "no piece is drawn over the table";

    key(vkLeft);
    character(' ');
    EXPECT_EQ(window.timerPeriod(100), 0) << "keys do nothing while no game runs";
}

TEST_F(GameFlowTest, aSeededGameReplaysExactly)
{
    auto play = [this](std::uint32_t seedValue) {
        startGame(seedValue);
        const std::array<char, 6> moves{'4', '6', '2', ' ', '1', '3'};
        for (int step = 0; step < 300 && options().gameRunning == 1; ++step) {
            character(moves[static_cast<std::size_t>(step) % moves.size()]);
            timer(101);
            if (step % 3 == 0)
                timer(100);
        }
        return std::make_pair(game().well.grid, game().status.score);
    };
    const auto first = play(99);
    command(command::Restart);
    const auto second = play(99);
    EXPECT_EQ(first, second);
}

TEST_F(GameFlowTest, restartEndsAGameAtOnceWithoutANameAndANewGameBlacksTheTableOut)
{
    const platform::Rect wellArea{177, 20, 457, 460};
    const platform::Rect stockArea{470, 190, 620, 248};
    const platform::Rect nextArea{470, 360, 510, 400};
    startGame();
    game().status.stock = 3;
    timer(101);
    ASSERT_GT(litPixels(stockArea), 0);
    ASSERT_GT(litPixels(nextArea), 0);
    command(command::Restart);
    EXPECT_EQ(options().gameRunning, 0);
    EXPECT_EQ(window.timerPeriod(100), 0);
    EXPECT_EQ(window.timerPeriod(101), 0);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Title)), 77);
    EXPECT_TRUE(window.menu().isEnabled(command::Difficulty));
    EXPECT_EQ(litPixels(stockArea), 0);
    EXPECT_EQ(litPixels(nextArea), 0);
    EXPECT_GT(litPixels(wellArea), 0) << "the table stands over the well";

    startGame();
    const platform::Rect piece{cellX(4), cellY(1), cellX(4) + cellSize, cellY(1) + cellSize};
    EXPECT_EQ(litPixels(wellArea, piece), 0) << "nothing but the first piece in the well";
    EXPECT_GT(litPixels(nextArea), 0) << "every readout is drawn again, the unchanged next piece too";
}

TEST_F(GameFlowTest, theRiseCountdownLoadsStagesAndRaisesARowWhenOneRunsOut)
{
    startGame();
    timer(101);
    EXPECT_EQ(game().status.stageLength, 100000);
    EXPECT_EQ(game().status.stageRemaining, 99900);
    EXPECT_EQ(game().status.colourCount, 2);
    EXPECT_EQ(game().riseStep, 1);
    game().status.stageRemaining = 50;
    timer(101);
    EXPECT_EQ(game().status.stageRemaining, -50);
    EXPECT_EQ(game().riseDue, 1);
    int risen = 0;
    for (int column = 1; column <= 7; ++column)
        risen += cell(column, 11) >= 9 && cell(column, 11) <= 12 ? 1 : 0;
    EXPECT_GE(risen, 6) << "a new bottom row of blocks rose";
    timer(101);
    EXPECT_EQ(game().status.stageLength, 30000);
}

TEST_F(GameFlowTest, aPiecePushedOutOfTheWellEndsTheGame)
{
    startGame();
    for (int column = 1; column <= 7; ++column) {
        for (int row = 2; row <= 11; ++row)
            cellAt(game().well.grid, column, row) = column == 4 ? 9 : 0;
    }
    game().status.stageRemaining = 0;
    game().riseDue = 0;
    timer(101);
    EXPECT_EQ(options().gameRunning, 0);
    EXPECT_EQ(window.timerPeriod(100), 0);
    EXPECT_TRUE(paused(1000)) << "the game-over fill ran";
    for (int column = 0; column <= 8; ++column)
        EXPECT_EQ(cell(column, 0), 20) << "the wall row stays whole";
}

TEST_F(GameFlowTest, aLandingByACommandRestartsTheDropTimerAndALandingByTheTimerDoesNot)
{
    startGame();
    game().status.dropInterval = 1500;
    int starts = window.timerStarts(100);
    character(' ');
    EXPECT_EQ(window.timerPeriod(100), 1500) << "a drop lands and the timer runs on at the new interval";
    EXPECT_EQ(window.timerStarts(100), starts + 1);

    for (int i = 0; i < 9; ++i)
        key(vkUp);
    ASSERT_EQ(game().well.pieceRow, 10);
    starts = window.timerStarts(100);
    key(vkUp);
    EXPECT_EQ(cell(4, 10), 1);
    EXPECT_EQ(window.timerPeriod(100), 1500) << "a step onto the stack lands and restarts the timer";
    EXPECT_EQ(window.timerStarts(100), starts + 1);

    for (int i = 0; i < 8; ++i)
        timer(100);
    ASSERT_EQ(game().well.pieceRow, 9);
    starts = window.timerStarts(100);
    const int kills = window.timerKills(100);
    timer(100);
    EXPECT_EQ(cell(4, 9), 1);
    EXPECT_EQ(game().well.pieceRow, 1) << "the timer landed the piece and the next one entered";
    EXPECT_EQ(window.timerStarts(100), starts);
    EXPECT_EQ(window.timerKills(100), kills);
}

TEST_F(GameFlowTest, theHintShowsItsBalloonAndTabOnlyAtStandardDifficultyAndEveryLandingErasesIt)
{
    startGame();
    openAnExtraPunchInTheBottomRow();
    character(' ');
    EXPECT_TRUE(game().view.balloonShown);
    EXPECT_EQ(balloonPixel(), platform::rgb(255, 255, 255));
    EXPECT_EQ(game().status.lastPattern, 5);
    EXPECT_TRUE(window.menu().hasRadioMark(command::TabTriangle)) << "the panel turned to the hint's tab";

    // Ending a game leaves the balloon; the first landing of the next game takes it.
    command(command::Restart);
    command(command::TabDiamond);
    EXPECT_TRUE(game().view.balloonShown);
    options().difficulty = 1;
    startGame();
    openAnExtraPunchInTheBottomRow();
    EXPECT_TRUE(game().view.balloonShown);
    character(' ');
    EXPECT_FALSE(game().view.balloonShown);
    EXPECT_EQ(balloonPixel(), stripPixel());
    EXPECT_EQ(game().status.lastPattern, 0) << "no hint is probed at the professional difficulty";
    EXPECT_TRUE(window.menu().hasRadioMark(command::TabDiamond));
}

#include "tests/shell/game_window.h"

#include "platform/application.h"
#include "platform/gamepad.h"
#include "platform/window_data.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <SDL.h>
#include "engine/well.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::uint32_t vkLeft = 0x25;
constexpr std::uint32_t vkUp = 0x26;
constexpr std::uint32_t vkRight = 0x27;
constexpr std::uint32_t vkDown = 0x28;

bool paused(int ms)
{
    const auto& pauses = platform::Clock::instance().pauses();
    return std::find(pauses.begin(), pauses.end(), ms) != pauses.end();
}

std::vector<char> fileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

class GameFlowTest : public GameWindowTest {
protected:
    // Six settled cells of colour 1 in the bottom row, the last one open: a
    // piece of colour 1 would complete an extra punch (▼ tab) there.
    void openAnExtraPunchInTheBottomRow()
    {
        for (int column = 1; column <= 6; ++column)
            cellAt(game().well.grid, column, 11) = 1;
    }

    // Pixels of the screen that are not black, in the area and outside the hole.
    int litPixels(const platform::Rect& area, const platform::Rect& hole = {})
    {
        int lit = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const bool inHole = x >= hole.left && x < hole.right && y >= hole.top && y < hole.bottom;
                lit += !inHole && window.screen().pixel(x, y) != platform::rgb(0, 0, 0);
            }
        }
        return lit;
    }

    // A pixel inside the balloon's body, left of its text.
    platform::Colour balloonPixel() { return window.screen().pixel(470, 420); }
    platform::Colour stripPixel() { return program.surfaces.strip.pixel(470 - 468, 420 - 398); }
};

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
    EXPECT_EQ(menu.itemTexts(gamePopup), (std::vector<std::string>{"開始(&K)", "最初から(&N)", "", "設定(&S)", "", "タマロの終了(&X)"}));
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

TEST_F(GameFlowTest, deactivationPausesBothTimersOnceAndActivationResumesThem)
{
    startGame();
    send(platform::MessageKind::Activate, 0);
    send(platform::MessageKind::Activate, 0);
    EXPECT_EQ(window.timerPeriod(100), 0);
    EXPECT_EQ(window.timerPeriod(101), 0);
    EXPECT_EQ(window.timerKills(100), 1);
    EXPECT_EQ(window.timerKills(101), 1);
    const int dropStarts = window.timerStarts(100);
    send(platform::MessageKind::Activate, 2);
    send(platform::MessageKind::Activate, 1);
    EXPECT_EQ(window.timerStarts(100), dropStarts + 1);
    EXPECT_EQ(window.timerPeriod(100), 2000);
    EXPECT_EQ(window.timerPeriod(101), 100);

    command(command::Restart);
    const int startsWhenIdle = window.timerStarts(100);
    send(platform::MessageKind::Activate, 0);
    send(platform::MessageKind::Activate, 1);
    EXPECT_EQ(window.timerStarts(100), startsWhenIdle) << "activation means nothing while no game runs";
}

TEST_F(GameFlowTest, aBlockedSideMoveChangesNothingAtAll)
{
    startGame();
    key(vkLeft);
    key(vkLeft);
    key(vkLeft);
    ASSERT_EQ(game().well.pieceColumn, 1);
    const int starts = window.timerStarts(100);
    const int kills = window.timerKills(100);
    const auto grid = game().well.grid;
    key(vkLeft);
    character('4');
    EXPECT_EQ(game().well.pieceColumn, 1);
    EXPECT_EQ(game().well.grid, grid);
    EXPECT_EQ(window.timerStarts(100), starts);
    EXPECT_EQ(window.timerKills(100), kills);
}

TEST_F(GameFlowTest, aLongDropBouncesAndLandsAtOnceWhileAOneRowDropDoesNot)
{
    startGame();
    character(' ');
    EXPECT_TRUE(paused(90)) << "a fall of ten rows bounces";
    EXPECT_EQ(cell(4, 11), 1);
    EXPECT_EQ(game().well.pieceRow, 1) << "the next piece entered at once";

    for (int row = 10; row >= 3; --row) {
        platform::Clock::instance().clearPauses();
        character(' ');
        EXPECT_TRUE(paused(90)) << row;
    }
    platform::Clock::instance().clearPauses();
    ASSERT_EQ(cell(4, 3), 1);
    character(' ');
    EXPECT_FALSE(paused(90)) << "a drop of one row does not bounce";
    EXPECT_EQ(cell(4, 2), 1);
}

TEST_F(GameFlowTest, aDownStepRestartsTheDropTimerAndADownOntoTheStackLands)
{
    startGame();
    const int starts = window.timerStarts(100);
    key(vkUp);
    EXPECT_EQ(game().well.pieceRow, 2);
    EXPECT_EQ(window.timerStarts(100), starts + 1);
    for (int i = 0; i < 9; ++i)
        key(vkDown);
    ASSERT_EQ(game().well.pieceRow, 11);
    platform::Clock::instance().clearPauses();
    key(vkDown);
    EXPECT_EQ(cell(4, 11), 1);
    EXPECT_EQ(game().well.pieceRow, 1) << "a step into the floor lands the piece at once";
    EXPECT_FALSE(paused(90));
}

// The key table of both drop-key types, typed through the window as a player
// types it, the digits on the main row and on the keypad: each key moves the
// piece one column, steps it one row or drops it. A type other than the two
// known ones makes every drop key a step.
TEST_F(GameFlowTest, everyKeyOfBothDropKeyTypesMovesThePieceAsTheKeyTableSays)
{
    enum Move { None, Left, Right, Step, Drop };
    constexpr const char* moveNames[] = {"nothing", "left", "right", "step", "drop"};
    struct Press {
        int key;
        const char* text;
        Move typeOne;
        Move typeTwo;
    };
    const std::array<Press, 12> table{{
        {Qt::Key_Left, "", Left, Left},
        {Qt::Key_1, "1", Left, Left},
        {Qt::Key_4, "4", Left, Left},
        {Qt::Key_Right, "", Right, Right},
        {Qt::Key_3, "3", Right, Right},
        {Qt::Key_6, "6", Right, Right},
        {Qt::Key_Up, "", Step, Step},
        {Qt::Key_5, "5", Step, Step},
        {Qt::Key_8, "8", Step, Step},
        {Qt::Key_Down, "", Step, Drop},
        {Qt::Key_2, "2", Step, Drop},
        {Qt::Key_Space, " ", Drop, Step},
    }};
    const auto moveOf = [&](const Press& press, Qt::KeyboardModifiers modifiers) {
        startGame();
        QKeyEvent event(QEvent::KeyPress, press.key, modifiers, QString::fromLatin1(press.text));
        QCoreApplication::sendEvent(window.data()->client, &event);
        const int column = game().well.pieceColumn;
        const int row = game().well.pieceRow;
        const bool landed = cell(4, 11) != 0;
        command(command::Restart);
        if (landed)
            return row == 1 ? Drop : None;
        if (row == 2)
            return column == 4 ? Step : None;
        return column == 3 ? Left : column == 5 ? Right : None;
    };
    for (const std::int32_t dropKeyType : {0, 1, 5}) {
        options().dropKeyType = dropKeyType;
        for (const Press& press : table) {
            const Move expected = dropKeyType == 0 ? press.typeOne
                                  : dropKeyType == 1 ? press.typeTwo
                                  : press.typeOne == press.typeTwo ? press.typeOne
                                                                   : Step;
            std::vector<Qt::KeyboardModifiers> ways{Qt::NoModifier};
            if (press.key >= Qt::Key_0 && press.key <= Qt::Key_9)
                ways.push_back(Qt::KeypadModifier);
            for (const Qt::KeyboardModifiers modifiers : ways)
                EXPECT_STREQ(moveNames[moveOf(press, modifiers)], moveNames[expected])
                    << "type " << dropKeyType << ", key " << QKeySequence(press.key).toString().toStdString()
                    << (modifiers & Qt::KeypadModifier ? " on the keypad" : "");
        }
    }
    startGame();
    character('7');
    key(0x62);
    EXPECT_EQ(game().well.pieceRow, 1) << "7 and a keypad key code move nothing";
    key(vkRight | 0x100);
    EXPECT_EQ(game().well.pieceColumn, 5) << "only the low byte of a key code counts";
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

TEST_F(GameFlowTest, thePauseKeysStopBothTimersOnceHoldThroughFocusChangesAndResume)
{
    const std::string pausedTitle = std::string(windowTitle) + "（一時停止）";
    key('P');
    EXPECT_EQ(window.title(), windowTitle) << "no game, no pause";

    startGame();
    command(command::Restart);
    game().ranking.command(RankingMode::Save);
    const std::vector<char> saved = fileBytes("tm_data.dat");
    startGame();
    const int dropKills = window.timerKills(100);
    const int riseKills = window.timerKills(101);
    key('P');
    EXPECT_EQ(window.timerPeriod(100), 0);
    EXPECT_EQ(window.timerPeriod(101), 0);
    EXPECT_EQ(window.timerKills(100), dropKills + 1);
    EXPECT_EQ(window.timerKills(101), riseKills + 1);
    EXPECT_EQ(window.title(), pausedTitle);
    const auto grid = game().well.grid;
    key(vkLeft);
    key(vkDown);
    character(' ');
    character('2');
    EXPECT_EQ(game().well.grid, grid) << "keys other than the pause keys do nothing while paused";
    EXPECT_EQ(game().well.pieceRow, 1);
    send(platform::MessageKind::Activate, 0);
    send(platform::MessageKind::Activate, 1);
    EXPECT_EQ(window.timerPeriod(100), 0) << "coming back to the window does not undo the pause";

    const int dropStarts = window.timerStarts(100);
    const int riseStarts = window.timerStarts(101);
    key(platform::vk::Pause);
    EXPECT_EQ(window.timerStarts(100), dropStarts + 1);
    EXPECT_EQ(window.timerStarts(101), riseStarts + 1);
    EXPECT_EQ(window.timerPeriod(100), 2000);
    EXPECT_EQ(window.title(), windowTitle);
    key(vkLeft);
    EXPECT_EQ(game().well.pieceColumn, 3);

    key('P');
    command(command::Restart);
    EXPECT_EQ(window.title(), windowTitle) << "ending a paused game ends its pause";
    game().ranking.command(RankingMode::Save);
    EXPECT_EQ(fileBytes("tm_data.dat"), saved) << "a pause leaves nothing in the data file";
    startGame();
    key('P');
    EXPECT_EQ(window.timerPeriod(100), 0) << "the next game pauses too";
    EXPECT_EQ(window.timerPeriod(101), 0);
}

TEST_F(GameFlowTest, padButtonsAndTheLeftStickStartMoveDropAndPauseWhilePadsComeAndGo)
{
    platform::Gamepads pads(window, platform::PadSources::VirtualToo);
    pads.update();
    EXPECT_EQ(pads.count(), 0);
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    const int device = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* joystick = SDL_JoystickOpen(device);
    ASSERT_NE(joystick, nullptr);
    pads.update();
    ASSERT_EQ(pads.count(), 1);
    auto press = [&](SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(joystick, button, 1);
        pads.update();
        SDL_JoystickSetVirtualButton(joystick, button, 0);
        pads.update();
    };
    auto stick = [&](SDL_GameControllerAxis axis, Sint16 value) {
        SDL_JoystickSetVirtualAxis(joystick, axis, value);
        pads.update();
    };

    seed(game().well.random, 7);
    press(SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(options().gameRunning, 0) << "a pad speaks only to the active window, as the keyboard does";
    window.data()->frame->activateWindow();
    for (int i = 0; i < 200 && !window.data()->active; ++i)
        platform::Application::processEvents();
    ASSERT_TRUE(window.data()->active);
    press(SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(options().gameRunning, 1);
    press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(game().well.pieceColumn, 3);
    stick(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    stick(SDL_CONTROLLER_AXIS_LEFTX, -20000);
    EXPECT_EQ(game().well.pieceColumn, 2) << "a stick held over makes one move";
    stick(SDL_CONTROLLER_AXIS_LEFTX, 0);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(game().well.pieceColumn, 3);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 0);
    press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    press(SDL_CONTROLLER_BUTTON_B);
    stick(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    EXPECT_EQ(game().well.pieceRow, 4) << "down, east and the stick down step one row each";
    stick(SDL_CONTROLLER_AXIS_LEFTY, 0);

    const auto grid = game().well.grid;
    press(SDL_CONTROLLER_BUTTON_Y);
    press(SDL_CONTROLLER_BUTTON_GUIDE);
    press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    stick(SDL_CONTROLLER_AXIS_RIGHTX, -32768);
    stick(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    EXPECT_EQ(game().well.grid, grid) << "buttons and axes the game does not use do nothing";

    press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(game().well.pieceRow, 1);
    EXPECT_NE(cell(3, 11), 0) << "south dropped the piece";

    press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(window.timerPeriod(100), 0);
    press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(game().well.pieceColumn, 4) << "a paused game does not move";
    press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(window.timerPeriod(100), 2000);

    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(device);
    pads.update();
    EXPECT_EQ(pads.count(), 0) << "a pad pulled out mid-press is let go";
    EXPECT_EQ(options().gameRunning, 1);
    EXPECT_EQ(window.timerPeriod(100), 2000);
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

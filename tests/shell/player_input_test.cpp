// What the player does to a running game: keys, the pad, pausing and leaving the window.
#include "tests/shell/game_flow_fixture.h"

#include "engine/well.h"
#include "platform/application.h"
#include "platform/gamepad.h"
#include "platform/window/window_data.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <SDL.h>

#include <algorithm>
#include <array>
#include <vector>

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
            const Move expected = dropKeyType == 0                 ? press.typeOne
                                  : dropKeyType == 1               ? press.typeTwo
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
    EXPECT_FALSE(window.pauseMarkShown()) << "where the desktop gives positions, the title alone says it";

    platform::Window::actAsOnWayland(true);
    key('P');
    EXPECT_FALSE(window.pauseMarkShown());
    key('P');
    EXPECT_TRUE(window.pauseMarkShown()) << "natively the pause shows as a mark too";
    key('P');
    EXPECT_FALSE(window.pauseMarkShown());
    platform::Window::actAsOnWayland(false);
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

#include "shell/game_flow.h"

#include "platform/message.h"
#include "platform/window.h"
#include "resources/menu.h"
#include "shell/game.h"
#include "shell/main_window.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

inline constexpr int dropSound = 0;
inline constexpr int riseSound = 6;

// What a key or character does under each drop-key type.
struct Binding {
    std::uint32_t code;
    MoveCommand typeOne;
    MoveCommand typeTwo;
};

constexpr std::array<Binding, 4> keyBindings{{
    {platform::vk::Left, MoveCommand::Left, MoveCommand::Left},
    {platform::vk::Right, MoveCommand::Right, MoveCommand::Right},
    {platform::vk::Up, MoveCommand::Down, MoveCommand::Down},
    {platform::vk::Down, MoveCommand::Down, MoveCommand::Drop},
}};

constexpr std::array<Binding, 8> charBindings{{
    {' ', MoveCommand::Drop, MoveCommand::Down},
    {'1', MoveCommand::Left, MoveCommand::Left},
    {'4', MoveCommand::Left, MoveCommand::Left},
    {'3', MoveCommand::Right, MoveCommand::Right},
    {'6', MoveCommand::Right, MoveCommand::Right},
    {'5', MoveCommand::Down, MoveCommand::Down},
    {'8', MoveCommand::Down, MoveCommand::Down},
    {'2', MoveCommand::Down, MoveCommand::Drop},
}};

// What a gamepad button does to a running game; Start is not a move.
struct PadBinding {
    std::uint32_t button;
    MoveCommand command;
};

constexpr std::array<PadBinding, 5> padBindings{{
    {platform::pad::Left, MoveCommand::Left},
    {platform::pad::Right, MoveCommand::Right},
    {platform::pad::Down, MoveCommand::Down},
    {platform::pad::South, MoveCommand::Drop},
    {platform::pad::East, MoveCommand::Down},
}};

constexpr std::array<std::uint32_t, 2> pauseKeys{platform::vk::P, platform::vk::Pause};
constexpr const char* pausedTitleEnd = "（一時停止）";

constexpr std::array<int, 1> gamePopup{0};
constexpr int rankingSeparatorPosition = 2;

template <std::size_t N>
void runBinding(Game& game, const std::array<Binding, N>& bindings, std::uint32_t code, std::int32_t dropKeyType)
{
    for (const Binding& binding : bindings) {
        if (binding.code != code)
            continue;
        // A drop-key type other than the two known ones makes every drop key a step.
        MoveCommand command = binding.typeOne == binding.typeTwo ? binding.typeOne : MoveCommand::Down;
        if (dropKeyType == 0)
            command = binding.typeOne;
        else if (dropKeyType == 1)
            command = binding.typeTwo;
        playerCommand(game, command);
        return;
    }
}

void playSound(Game& game, int slot)
{
    if (game.options->soundOn != 0)
        game.sounds.play(slot);
}

// The well is full: fill it, offer the score to the ranking and end the game.
void gameOver(Game& game)
{
    game.well.gameOverFill();
    const int rank = game.ranking.enterScore(game.status.score);
    endGame(game, rank);
}

void showPaused(Game& game, bool paused)
{
    game.paused = paused;
    game.window->setTitle(paused ? std::string(windowTitle) + pausedTitleEnd : std::string(windowTitle));
    game.window->showPauseMark(paused);
}

} // namespace

void beginPiece(Game& game, bool newGame)
{
    Options& options = *game.options;
    Well& well = game.well;
    if (newGame) {
        options.gameRunning = 1;
        // Both play timers start below, whatever a pause of the last game left behind.
        game.timersRunning = true;
        game.riseDue = 1;
        game.riseStep = 0;
        game.window->killTimer(timerId(GameTimer::Title));
        platform::Menu& menu = game.window->menu();
        menu.enable(command::Start, false);
        menu.enable(command::Difficulty, false);
        menu.enable(command::Restart, true);
        if (options.rankingMenuRemoved == 0) {
            options.rankingMenuRemoved = 1;
            menu.removeAt(gamePopup, rankingSeparatorPosition);
            menu.removeAt(gamePopup, rankingSeparatorPosition);
        }
        well.resetWell(game.status);
        game.view.clearArea(ViewArea::Well);
        well.startDropTimer(game.status.dropInterval);
        well.startRiseTimer(game.status.riseInterval);
    }
    well.spawnPiece();
    if (well.spawnBlocked()) {
        gameOver(game);
        return;
    }
    if (options.difficulty == 0) {
        const RowPattern hint = well.probeHint();
        if (game.view.updateBalloon(game.patternNames, game.status, hint))
            game.panel.showTab(game.patternNames, 0, hint);
    }
    game.view.redraw(game.status, newGame);
    well.paintPiece();
}

void dropTick(Game& game, bool restartTimer)
{
    Well& well = game.well;
    if (well.isBlocked(MoveCommand::Down) == 0) {
        well.erasePiece();
        well.movePiece(MoveCommand::Down);
        well.paintPiece();
        return;
    }
    game.view.updateBalloon(game.patternNames, game.status, eraseBalloonIndex);
    well.resolveLanding();
    if (restartTimer)
        well.startDropTimer(game.status.dropInterval);
    beginPiece(game, false);
}

void playerCommand(Game& game, MoveCommand command)
{
    Well& well = game.well;
    bool bounced = false;
    if (well.isBlocked(command) == 0) {
        well.erasePiece();
        well.movePiece(command);
        well.paintPiece();
        bounced = well.landingBounce();
        if (command == MoveCommand::Down) {
            well.stopDropTimer();
            well.startDropTimer(game.status.dropInterval);
        }
        if (command != MoveCommand::Drop)
            return;
    }
    if (command != MoveCommand::Down && command != MoveCommand::Drop)
        return;
    well.stopDropTimer();
    dropTick(game, true);
    if (bounced)
        playSound(game, dropSound);
}

void riseTick(Game& game)
{
    RoundStatus& status = game.status;
    if (game.riseDue != 0) {
        game.riseDue = 0;
        loadRiseStage(status, game.riseStep);
        game.view.redraw(status, false);
    }
    const bool rowDue = countDownRise(status);
    game.view.redraw(status, false);
    if (!rowDue)
        return;
    const RiseResult rise = game.well.riseRow();
    playSound(game, riseSound);
    game.riseDue = 1;
    // A piece pushed out of the top of the well ends the game as a blocked entry does.
    if (rise == RiseResult::PiecePushedOut)
        gameOver(game);
}

void endGame(Game& game, int rank)
{
    game.options->gameRunning = 0;
    if (game.paused)
        showPaused(game, false);
    game.window->setTimer(timerId(GameTimer::Title), titleTickMs);
    platform::Menu& menu = game.window->menu();
    menu.enable(command::Start, true);
    menu.enable(command::Difficulty, true);
    menu.enable(command::Restart, false);
    game.well.stopDropTimer();
    game.well.stopRiseTimer();
    game.view.clearArea(ViewArea::Well);
    game.view.clearArea(ViewArea::Stock);
    game.view.clearArea(ViewArea::Next);
    game.ranking.drawTable(rank);
}

void setTimersRunning(Game& game, bool on)
{
    if (!on && game.timersRunning) {
        game.well.stopDropTimer();
        game.well.stopRiseTimer();
        game.timersRunning = false;
    } else if (on && !game.timersRunning) {
        game.well.startDropTimer(game.status.dropInterval);
        game.well.startRiseTimer(game.status.riseInterval);
        game.timersRunning = true;
    }
}

void onKeyDown(Game& game, std::uint32_t key, std::int32_t dropKeyType)
{
    if (game.options->gameRunning == 0)
        return;
    if (std::find(pauseKeys.begin(), pauseKeys.end(), key & 0xFF) != pauseKeys.end())
        togglePause(game);
    else if (!game.paused)
        runBinding(game, keyBindings, key & 0xFF, dropKeyType);
}

void onChar(Game& game, std::uint32_t character, std::int32_t dropKeyType)
{
    if (game.options->gameRunning != 0 && !game.paused)
        runBinding(game, charBindings, character, dropKeyType);
}

void onActivate(Game& game, std::uint32_t state)
{
    // Coming back to the window does not undo a pause the player chose.
    if (game.options->gameRunning != 0)
        setTimersRunning(game, state != 0 && !game.paused);
}

void togglePause(Game& game)
{
    if (game.options->gameRunning == 0)
        return;
    showPaused(game, !game.paused);
    setTimersRunning(game, !game.paused);
}

void onPadButton(Game& game, std::uint32_t button)
{
    if (button == platform::pad::Start) {
        if (game.options->gameRunning != 0)
            togglePause(game);
        else if (game.window->menu().isEnabled(command::Start))
            beginPiece(game, true);
        return;
    }
    if (game.options->gameRunning == 0 || game.paused)
        return;
    for (const PadBinding& binding : padBindings) {
        if (binding.button == button) {
            playerCommand(game, binding.command);
            return;
        }
    }
}

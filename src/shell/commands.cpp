#include "shell/commands.h"

#include "shell/game_flow.h"
#include "shell/panel_request.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "resources/dialogs.h"
#include "resources/menu.h"
#include "shell/game.h"
#include "shell/help.h"
#include "shell/zoom.h"

#include <array>

namespace {

bool isClose(platform::DialogEvent event, int id)
{
    return event == platform::DialogEvent::Command && (id == dialogButton::Ok || id == dialogButton::Cancel);
}

int aboutProc(platform::Dialog& dialog, platform::DialogEvent event, int id, void* context)
{
    Game& game = *static_cast<Game*>(context);
    if (event == platform::DialogEvent::Init) {
        if (game.options->soundOn != 0)
            game.sounds.playChime();
        return 1;
    }
    if (isClose(event, id)) {
        game.sounds.stop();
        dialog.end(0);
        return 1;
    }
    return 0;
}

// Checks the button for value in a group of two; a value the file should not
// hold (a damaged one) checks none.
void checkRadioGroup(platform::Dialog& dialog, int firstId, std::int32_t value)
{
    if (value == 0 || value == 1)
        dialog.setChecked(firstId + value, true);
}

// Sets value to the index of the first checked button of the group; unchanged when none is.
void readRadioGroup(const platform::Dialog& dialog, int firstId, std::int32_t& value)
{
    for (int i = 0; i < 2; ++i) {
        if (dialog.isChecked(firstId + i)) {
            value = i;
            return;
        }
    }
}

int keysProc(platform::Dialog& dialog, platform::DialogEvent event, int id, void* context)
{
    Options& options = *static_cast<Game*>(context)->options;
    if (event == platform::DialogEvent::Init) {
        checkRadioGroup(dialog, keysControl::TypeOne, options.dropKeyType);
        dialog.setChecked(options.soundOn != 0 ? keysControl::SoundOn : keysControl::SoundOff, true);
        return 1;
    }
    if (!isClose(event, id))
        return 0;
    if (id == dialogButton::Ok) {
        readRadioGroup(dialog, keysControl::TypeOne, options.dropKeyType);
        options.soundOn = dialog.isChecked(keysControl::SoundOn) ? 1 : 0;
    }
    dialog.end(0);
    return 1;
}

int difficultyProc(platform::Dialog& dialog, platform::DialogEvent event, int id, void* context)
{
    Options& options = *static_cast<Game*>(context)->options;
    if (event == platform::DialogEvent::Init) {
        checkRadioGroup(dialog, difficultyControl::Standard, options.difficulty);
        return 1;
    }
    if (!isClose(event, id))
        return 0;
    if (id == dialogButton::Ok)
        readRadioGroup(dialog, difficultyControl::Standard, options.difficulty);
    dialog.end(0);
    return 1;
}

void showTab(Game& game, PanelRequest request, int tab)
{
    panelRequest(game, request, 0);
    game.options->panelTab = tab;
}

void toggleAlwaysOnTop(Game& game, platform::Window& window)
{
    Options& options = *game.options;
    const bool topmost = options.alwaysOnTop == 0;
    window.menu().check(command::AlwaysOnTop, topmost);
    // Only the stacking changes: the window stays where the player sees it.
    window.setTopmost(topmost);
    options.alwaysOnTop = topmost ? 1 : 0;
}

using CommandAction = void (*)(Game&, platform::Window&);

struct CommandEntry {
    int id;
    CommandAction action;
};

constexpr std::array<CommandEntry, 16> commandTable{{
    {command::Start, [](Game& game, platform::Window&) { beginPiece(game, true); }},
    {command::Restart,
     [](Game& game, platform::Window&) {
         game.options->gameRunning = 0;
         endGame(game, 0);
     }},
    {command::KeysAndSound,
     [](Game& game, platform::Window& window) { platform::Dialog::run(window, keysDialog, keysProc, &game); }},
    {command::Difficulty,
     [](Game& game, platform::Window& window) {
         platform::Dialog::run(window, difficultyDialog, difficultyProc, &game);
     }},
    // Quitting from the menu shuts down like the close box, so nothing of the run is lost.
    {command::Exit, [](Game&, platform::Window& window) { window.destroy(); }},
    {command::Help, [](Game&, platform::Window& window) { showHelp(window); }},
    {command::About,
     [](Game& game, platform::Window& window) { platform::Dialog::run(window, aboutDialog, aboutProc, &game); }},
    {command::TabDiamond, [](Game& game, platform::Window&) { showTab(game, PanelRequest::TabDiamond, 1); }},
    {command::TabStar, [](Game& game, platform::Window&) { showTab(game, PanelRequest::TabStar, 2); }},
    {command::TabTriangle, [](Game& game, platform::Window&) { showTab(game, PanelRequest::TabTriangle, 3); }},
    {command::Clip,
     [](Game& game, platform::Window&) {
         panelRequest(game, PanelRequest::Clip, 0);
         game.options->clipOn = game.options->clipOn == 1 ? 0 : 1;
     }},
    {command::AlwaysOnTop, [](Game& game, platform::Window& window) { toggleAlwaysOnTop(game, window); }},
    {command::Zoom1, [](Game&, platform::Window& window) { chooseZoom(window, 1); }},
    {command::Zoom2, [](Game&, platform::Window& window) { chooseZoom(window, 2); }},
    {command::Zoom3, [](Game&, platform::Window& window) { chooseZoom(window, 3); }},
    {command::Ranking,
     [](Game& game, platform::Window&) {
         game.view.clearArea(ViewArea::Well);
         game.ranking.command(RankingMode::Show);
     }},
}};

} // namespace

void onCommand(Game& game, platform::Window& window, std::uint32_t wParam)
{
    const int id = static_cast<int>(wParam & 0xFFFF);
    for (const CommandEntry& entry : commandTable) {
        if (entry.id == id) {
            entry.action(game, window);
            return;
        }
    }
}

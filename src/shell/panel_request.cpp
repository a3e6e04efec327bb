#include "shell/panel_request.h"

#include "shell/game.h"

#include <array>

namespace {

enum class PanelAction { HitTest, ShowTab, ToggleClip };

constexpr int noSound = -1;

struct PanelRule {
    int code = 0;
    PanelAction action = PanelAction::ShowTab;
    int tab = 0;
    // The sound slot for the action's result 0, 1 and 2.
    std::array<int, 3> soundByResult{noSound, noSound, noSound};
};

// Code 1 is a click, 3 to 5 the tab commands, 6 the clip command and 10 the
// first showing when the window is created, which stays silent.
constexpr std::array<PanelRule, 6> panelRules{{
    {1, PanelAction::HitTest, 0, {noSound, 1, 2}},
    {3, PanelAction::ShowTab, 1, {noSound, 1, noSound}},
    {4, PanelAction::ShowTab, 2, {noSound, 1, noSound}},
    {5, PanelAction::ShowTab, 3, {noSound, 1, noSound}},
    {6, PanelAction::ToggleClip, 0, {2, 2, noSound}},
    {10, PanelAction::ShowTab, 1, {noSound, noSound, noSound}},
}};

int perform(Game& game, const PanelRule& rule, std::int32_t position)
{
    switch (rule.action) {
    case PanelAction::HitTest:
        return game.panel.hitTest(game.patternNames, position);
    case PanelAction::ShowTab:
        return game.panel.showTab(game.patternNames, rule.tab, 0);
    case PanelAction::ToggleClip:
        return game.panel.setClip(-1);
    }
    return 0;
}

} // namespace

int panelRequest(Game& game, int code, std::int32_t position)
{
    for (const PanelRule& rule : panelRules) {
        if (rule.code != code)
            continue;
        const int result = perform(game, rule, position);
        const int sound = result >= 0 && result <= 2 ? rule.soundByResult[static_cast<std::size_t>(result)] : noSound;
        if (sound != noSound && game.options != nullptr && game.options->soundOn != 0)
            game.sounds.play(sound);
        return result;
    }
    return 0;
}

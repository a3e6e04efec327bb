#include "shell/panel_request.h"

#include "shell/game.h"

#include <array>

namespace {

enum class PanelAction { HitTest, ShowTab, ToggleClip };

constexpr int noSound = -1;

struct PanelRule {
    PanelRequest request = PanelRequest::Click;
    PanelAction action = PanelAction::ShowTab;
    int tab = 0;
    // The sound slot for the action's result 0, 1 and 2.
    std::array<int, 3> soundByResult{noSound, noSound, noSound};
};

constexpr std::array<PanelRule, 6> panelRules{{
    {PanelRequest::Click, PanelAction::HitTest, 0, {noSound, 1, 2}},
    {PanelRequest::TabDiamond, PanelAction::ShowTab, 1, {noSound, 1, noSound}},
    {PanelRequest::TabStar, PanelAction::ShowTab, 2, {noSound, 1, noSound}},
    {PanelRequest::TabTriangle, PanelAction::ShowTab, 3, {noSound, 1, noSound}},
    {PanelRequest::Clip, PanelAction::ToggleClip, 0, {2, 2, noSound}},
    {PanelRequest::FirstShow, PanelAction::ShowTab, 1, {noSound, noSound, noSound}},
}};

int perform(Game& game, const PanelRule& rule, std::int32_t position)
{
    switch (rule.action) {
    case PanelAction::HitTest:
        return static_cast<int>(game.panel.hitTest(game.patternNames, position));
    case PanelAction::ShowTab:
        return game.panel.showTab(game.patternNames, rule.tab, 0) ? 1 : 0;
    case PanelAction::ToggleClip:
        return game.panel.setClip(ClipChange::Toggle) ? 1 : 0;
    }
    return 0;
}

} // namespace

int panelRequest(Game& game, PanelRequest request, std::int32_t position)
{
    for (const PanelRule& rule : panelRules) {
        if (rule.request != request)
            continue;
        const int result = perform(game, rule, position);
        const int sound = result >= 0 && result <= 2 ? rule.soundByResult[static_cast<std::size_t>(result)] : noSound;
        if (sound != noSound && game.options != nullptr && game.options->soundOn != 0)
            game.sounds.play(sound);
        return result;
    }
    return 0;
}

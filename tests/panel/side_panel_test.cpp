#include "shell/panel_request.h"
#include "tests/panel/panel_fixture.h"

#include "platform/sjis.h"

namespace {

constexpr platform::Colour black = platform::rgb(0, 0, 0);
constexpr platform::Colour white = platform::rgb(255, 255, 255);

bool allBlack(const platform::Surface& s, const platform::Rect& r)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (s.pixel(x, y) != black)
                return false;
    return true;
}

bool hasColour(const platform::Surface& s, const platform::Rect& r, platform::Colour colour)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (s.pixel(x, y) == colour)
                return true;
    return false;
}

void expectTabItemsEnabled(const platform::Menu& menu, bool enabled)
{
    for (int id = command::TabDiamond; id <= command::TabTriangle; ++id)
        EXPECT_EQ(menu.isEnabled(id), enabled) << "menu item " << id;
}

} // namespace

TEST_F(PanelTest, afterCreationTheDiamondTabIsOpenTheOthersClosedAndTheClipInItsTray)
{
    EXPECT_EQ(markedTab(menu()), command::TabDiamond);
    expectTabItemsEnabled(menu(), true);
    EXPECT_FALSE(menu().isChecked(command::Clip));
    EXPECT_FALSE(panel().clipped);
    EXPECT_FALSE(panel().firstShow);

    // The frame's bottom edge is opened above tab 1 only.
    EXPECT_EQ(back().pixel(47, 319), black);
    EXPECT_EQ(back().pixel(93, 319), white);
    EXPECT_EQ(back().pixel(139, 319), white);
    for (const platform::Rect& tab : panelTabRects) {
        EXPECT_EQ(back().pixel(tab.left, 335), white) << "left side of the tab at " << tab.left;
        EXPECT_EQ(back().pixel(tab.right - 1, 335), white) << "right side of the tab at " << tab.left;
        EXPECT_EQ(back().pixel((tab.left + tab.right) / 2, 349), white) << "bottom of the tab at " << tab.left;
        EXPECT_TRUE(hasColour(back(), platform::Rect{tab.left, 321, tab.right, 349}, platform::rgb(250, 250, 150)))
            << "symbol of the tab at " << tab.left;
    }

    const platform::Surface& sprites = program.canvas.sprites;
    EXPECT_TRUE(sameBlock(back(), 40, 382, sprites, 297, 43, 14, 40)) << "clip body in the tray";
    EXPECT_TRUE(sameBlock(back(), 40, 378, sprites, 311, 39, 12, 4)) << "clip cap in the tray";
    EXPECT_EQ(back().pixel(30, 400), white) << "tray outline";
    EXPECT_TRUE(allBlack(back(), platform::Rect{135, 21, 149, 61})) << "no clip on the chart";
}

TEST_F(PanelTest, theCaptionsAreBuiltFromThePatternNamesOnTheFirstShowing)
{
    const std::string expected = "* " + platform::sjis::fromUtf8("みっくすえくすとらパンチ").value();
    EXPECT_EQ(expected.size(), 26u);
    EXPECT_EQ(std::string(panel().lines[8].data()), expected);
    EXPECT_EQ(std::string(panel().lines[0].data()), "* " + platform::sjis::fromUtf8("すりーポン").value());
}

TEST_F(PanelTest, aShownTabReachesTheScreenThroughTheRepaint)
{
    window.paintNow();
    const platform::Rect area{25, 20, 162, 350};
    window.screen().fillRect(area, platform::Brush{platform::rgb(1, 2, 3)});
    EXPECT_EQ(panelRequest(game(), PanelRequest::TabStar, 0), 1);
    EXPECT_EQ(window.screen().pixel(93, 330), platform::rgb(1, 2, 3)) << "the panel draws into the back buffer only";
    window.paintNow();
    EXPECT_TRUE(
        sameBlock(window.screen(), area.left, area.top, back(), area.left, area.top, area.width(), area.height()));
}

TEST_F(PanelTest, onlyTheLowerPartOfATabInsideItsEdgesIsClickable)
{
    const platform::Surface before = snapshot(back());
    const std::array<platform::Point, 9> misses{{
        {71, 330},  // left edge of tab 2
        {116, 330}, // right edge of tab 2
        {117, 330}, // left edge of tab 3
        {93, 315},  // upper part, inside the chart area
        {93, 320},
        {93, 350}, // bottom edge
        {93, 306},
        {-5, 330},
        {93, -1},
    }};
    for (const platform::Point& p : misses) {
        EXPECT_EQ(panelRequest(game(), PanelRequest::Click, click(p.x, p.y)), 0) << p.x << "," << p.y;
        EXPECT_EQ(markedTab(menu()), command::TabDiamond) << p.x << "," << p.y;
    }
    EXPECT_TRUE(sameSurface(back(), before));

    EXPECT_EQ(panelRequest(game(), PanelRequest::Click, click(72, 321)), 1);
    EXPECT_EQ(markedTab(menu()), command::TabStar);
    EXPECT_EQ(back().pixel(93, 319), black) << "tab 2 opened";
    EXPECT_EQ(back().pixel(47, 319), white) << "tab 1 closed";
    EXPECT_EQ(panelRequest(game(), PanelRequest::Click, click(161, 349)), 1);
    EXPECT_EQ(markedTab(menu()), command::TabTriangle);
    EXPECT_EQ(panelRequest(game(), PanelRequest::Click, click(26, 340)), 1);
    EXPECT_EQ(markedTab(menu()), command::TabDiamond);
}

TEST_F(PanelTest, showingTheTabOnShowDrawsItAgain)
{
    const platform::Surface before = snapshot(back());
    back().fillRect(platform::Rect{40, 50, 124, 61}, platform::Brush{white});
    EXPECT_EQ(panelRequest(game(), PanelRequest::TabDiamond, 0), 1);
    EXPECT_TRUE(sameSurface(back(), before));
}

TEST_F(PanelTest, aClickOnTheTrayPinsTheClipAndFreezesTheChartUntilTheClipIsClicked)
{
    const platform::Surface& sprites = program.canvas.sprites;
    const platform::Surface start = snapshot(back());
    EXPECT_EQ(panelRequest(game(), PanelRequest::Click, click(47, 400)), 2);
    EXPECT_TRUE(panel().clipped);
    expectTabItemsEnabled(menu(), false);
    EXPECT_TRUE(menu().isChecked(command::Clip));
    EXPECT_EQ(program.options.clipOn, 0) << "only the menu command flips the stored setting";
    EXPECT_TRUE(sameBlock(back(), 135, 17, sprites, 297, 39, 14, 44)) << "clip pinned on the chart";
    EXPECT_TRUE(allBlack(back(), platform::Rect{40, 378, 54, 422})) << "tray empty";

    const platform::Surface pinned = snapshot(back());
    EXPECT_EQ(panelRequest(game(), PanelRequest::Click, click(93, 330)), 0);
    EXPECT_EQ(panelRequest(game(), PanelRequest::TabTriangle, 0), 0);
    EXPECT_FALSE(panel().showTab(game().patternNames, 0, 9));
    EXPECT_EQ(panelRequest(game(), PanelRequest::Click, click(47, 400)), 0) << "the empty tray";
    EXPECT_EQ(panelRequest(game(), PanelRequest::Click, click(135, 40)), 0) << "the pinned clip's left edge";
    EXPECT_TRUE(panel().clipped);
    EXPECT_EQ(markedTab(menu()), command::TabDiamond);
    EXPECT_TRUE(sameSurface(back(), pinned));

    EXPECT_EQ(panelRequest(game(), PanelRequest::Click, click(140, 40)), 2);
    EXPECT_FALSE(panel().clipped);
    expectTabItemsEnabled(menu(), true);
    EXPECT_FALSE(menu().isChecked(command::Clip));
    EXPECT_TRUE(sameBlock(back(), 40, 382, sprites, 297, 43, 14, 40));
    EXPECT_TRUE(sameBlock(back(), 40, 378, sprites, 311, 39, 12, 4));
    EXPECT_TRUE(sameSurface(back(), start)) << "the frame's top edge and the background above it restored";
    EXPECT_EQ(panelRequest(game(), PanelRequest::TabStar, 0), 1);
    EXPECT_EQ(markedTab(menu()), command::TabStar);
}

TEST_F(PanelTest, theClipCommandTogglesThePinEachTime)
{
    EXPECT_EQ(panelRequest(game(), PanelRequest::Clip, 0), 1);
    EXPECT_TRUE(menu().isChecked(command::Clip));
    expectTabItemsEnabled(menu(), false);
    EXPECT_EQ(panelRequest(game(), PanelRequest::Clip, 0), 0);
    EXPECT_FALSE(menu().isChecked(command::Clip));
    expectTabItemsEnabled(menu(), true);
    EXPECT_TRUE(panel().setClip(ClipChange::Pin));
    EXPECT_TRUE(panel().setClip(ClipChange::Pin));
    EXPECT_FALSE(panel().setClip(ClipChange::TakeOff));
}

TEST_F(PanelTest, aHintTurnsThePanelToTheTabOfItsPattern)
{
    const std::array<std::pair<int, int>, 10> hints{{
        {4, command::TabStar},
        {6, command::TabStar},
        {8, command::TabDiamond},
        {9, command::TabTriangle},
        {1, command::TabDiamond},
        {2, command::TabDiamond},
        {3, command::TabTriangle},
        {5, command::TabTriangle},
        {7, command::TabTriangle},
        {10, command::TabTriangle},
    }};
    for (const auto& [pattern, item] : hints) {
        EXPECT_TRUE(panel().showTab(game().patternNames, 0, pattern)) << "pattern " << pattern;
        EXPECT_EQ(markedTab(menu()), item) << "pattern " << pattern;
    }
    EXPECT_TRUE(panel().showTab(game().patternNames, 3, 4)) << "the pattern wins over the tab";
    EXPECT_EQ(markedTab(menu()), command::TabStar);
}

TEST_F(PanelTest, unknownRequestsAndTabsOutsideOneToThreeChangeNothing)
{
    const platform::Surface before = snapshot(back());
    for (int code : {0, 2, 7, 8, 9, 11, -1, 150})
        EXPECT_EQ(panelRequest(game(), static_cast<PanelRequest>(code), click(93, 330)), 0) << "code " << code;
    for (const auto& [tab, pattern] :
         std::array<std::pair<int, int>, 6>{{{0, 0}, {4, 0}, {-1, 0}, {0, 11}, {2, -3}, {0, 1000}}})
        EXPECT_FALSE(panel().showTab(game().patternNames, tab, pattern)) << "tab " << tab << " pattern " << pattern;
    panel().drawChart(0);
    panel().drawChart(4);
    panel().drawValueLabels(40, 200, 0, 1);
    panel().drawValueLabels(40, 200, 11, 1);
    EXPECT_TRUE(sameSurface(back(), before));
    EXPECT_EQ(markedTab(menu()), command::TabDiamond);
    expectTabItemsEnabled(menu(), true);
    EXPECT_FALSE(menu().isChecked(command::Clip));
}

TEST_F(PanelTest, theMenuCommandsTurnTabsAndTheClipAndStoreTheSettings)
{
    const auto choose = [this](int id) {
        window.send(platform::Message{platform::MessageKind::Command, static_cast<std::uint32_t>(id), 0, {}});
    };
    choose(command::TabTriangle);
    EXPECT_EQ(markedTab(menu()), command::TabTriangle);
    EXPECT_EQ(program.options.panelTab, 3);

    choose(command::Clip);
    EXPECT_TRUE(panel().clipped);
    EXPECT_EQ(program.options.clipOn, 1);
    expectTabItemsEnabled(menu(), false);
    const platform::Surface pinned = snapshot(back());
    choose(command::TabStar);
    EXPECT_EQ(program.options.panelTab, 2) << "stored even though the pinned panel stays";
    EXPECT_EQ(markedTab(menu()), command::TabTriangle);
    EXPECT_TRUE(sameSurface(back(), pinned));

    choose(command::Clip);
    EXPECT_FALSE(panel().clipped);
    EXPECT_EQ(program.options.clipOn, 0);
    choose(command::TabStar);
    EXPECT_EQ(markedTab(menu()), command::TabStar);
}

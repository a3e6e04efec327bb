#include "platform/application.h"
#include "platform/window/menu_data.h"
#include "platform/window.h"

#include "platform/window/window_data.h"

#include <gtest/gtest.h>

#include <QTest>

#include <array>
#include <vector>

namespace {

std::vector<int> commands;

void commandProc(platform::Window&, const platform::Message& message)
{
    if (message.kind == platform::MessageKind::Command)
        commands.push_back(static_cast<int>(message.wParam));
}

constexpr std::array<platform::MenuItemTemplate, 9> menuTemplate{{
    {0, "ゲーム(&G)", 0, true, false},
    {1, "開始(&K)", 111, false, false, "F2"},
    {1, "最初から(&N)", 112, false, true},
    {1, "", 0, false, false},
    {1, "ランキング(&R)", 200, false, false},
    {1, "設定(&S)", 0, true, false},
    {2, "キーとサウンド(&k)", 113, false, false},
    {0, "表示(&V)", 0, true, false},
    {1, "クリップ(&C)", 153, false, false},
}};

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        commands.clear();
        window.create("menu", menuTemplate, "");
    }
    platform::Window window{commandProc};
    platform::Menu& menu = window.menu();
};

const std::array<int, 1> gamePopup{0};

} // namespace

TEST_F(MenuTest, theTemplateBuildsPopupsSeparatorsAndInitialStates)
{
    const std::array<int, 0> bar{};
    EXPECT_EQ(menu.itemTexts(bar), (std::vector<std::string>{"ゲーム(&G)", "表示(&V)"}));
    EXPECT_EQ(menu.itemTexts(gamePopup),
              (std::vector<std::string>{"開始(&K)", "最初から(&N)", "", "ランキング(&R)", "設定(&S)"}));
    const std::array<int, 2> settings{0, 4};
    EXPECT_EQ(menu.itemTexts(settings), (std::vector<std::string>{"キーとサウンド(&k)"}));
    EXPECT_TRUE(menu.isEnabled(111));
    EXPECT_FALSE(menu.isEnabled(112));
    EXPECT_FALSE(menu.isChecked(153));
    EXPECT_EQ(menu.text(113), "キーとサウンド(&k)");
}

TEST_F(MenuTest, checkAndRadioMarksAreTheGamesToSet)
{
    menu.check(153, true);
    EXPECT_TRUE(menu.isChecked(153));
    EXPECT_FALSE(menu.hasRadioMark(153));
    menu.checkRadio(111, 112, 112);
    EXPECT_TRUE(menu.hasRadioMark(112));
    EXPECT_FALSE(menu.hasRadioMark(111));
    menu.checkRadio(111, 112, 111);
    EXPECT_TRUE(menu.hasRadioMark(111));
    EXPECT_FALSE(menu.hasRadioMark(112));
    menu.checkRadio(111, 112, 200);
    EXPECT_TRUE(menu.hasRadioMark(111)) << "an id outside the range changes nothing";
}

TEST_F(MenuTest, choosingAnItemSendsItsCommandWithoutFlippingItsMark)
{
    menu.check(153, true);
    menu.data()->items.at(153)->trigger();
    EXPECT_TRUE(commands.empty()) << "the command arrives after the menu has closed";
    platform::Application::processEvents();
    EXPECT_EQ(commands, std::vector<int>{153});
    EXPECT_TRUE(menu.isChecked(153));
    EXPECT_TRUE(menu.data()->items.at(153)->isChecked());
}

TEST_F(MenuTest, removalIsByPositionAndForgetsTheRemovedId)
{
    menu.removeAt(gamePopup, 3);
    menu.removeAt(gamePopup, 2);
    EXPECT_EQ(menu.itemTexts(gamePopup), (std::vector<std::string>{"開始(&K)", "最初から(&N)", "設定(&S)"}));
    EXPECT_FALSE(menu.contains(200));
    menu.removeAt(gamePopup, 9);
    const std::array<int, 1> noPopup{5};
    menu.removeAt(noPopup, 0);
    EXPECT_EQ(menu.itemTexts(gamePopup).size(), 3u);
    menu.enable(200, true);
    EXPECT_FALSE(menu.isEnabled(200));
}

TEST_F(MenuTest, aShortcutShowsBesideTheTextAndChoosesTheItemOnlyWhileItIsEnabled)
{
    EXPECT_EQ(menu.text(111), "開始(&K)");
    EXPECT_EQ(menu.shortcut(111), "F2");
    EXPECT_EQ(menu.shortcut(112), "");
    window.place(platform::Rect{0, 0, 320, 240}, false);
    window.data()->frame->activateWindow();
    for (int i = 0; i < 200 && !window.data()->frame->isActiveWindow(); ++i)
        platform::Application::processEvents();
    ASSERT_TRUE(window.data()->frame->isActiveWindow());
    QTest::keyClick(window.data()->client, Qt::Key_F2);
    platform::Application::processEvents();
    EXPECT_EQ(commands, std::vector<int>{111});
    menu.enable(111, false);
    QTest::keyClick(window.data()->client, Qt::Key_F2);
    platform::Application::processEvents();
    EXPECT_EQ(commands, std::vector<int>{111}) << "a greyed item's key does nothing";
}

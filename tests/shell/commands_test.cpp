#include "platform/application.h"
#include "platform/dialog.h"
#include "tests/shell/game_window.h"

#include <array>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

namespace {

// Opens the dialog of a command and lets `person` work it once it is open.
void withDialog(std::function<void(platform::Dialog&)> person)
{
    platform::Application::runSoon([person] {
        platform::Dialog* open = platform::Dialog::active();
        ASSERT_NE(open, nullptr);
        person(*open);
    });
}

} // namespace

using CommandsTest = GameWindowTest;

TEST_F(CommandsTest, theKeysAndSoundDialogStoresBothChoicesOnOk)
{
    bool typeOneShown = false;
    bool soundOnShown = false;
    withDialog([&](platform::Dialog& d) {
        typeOneShown = d.isChecked(134) && !d.isChecked(135);
        soundOnShown = d.isChecked(136) && !d.isChecked(137);
        d.click(135);
        d.click(137);
        d.click(1);
    });
    command(command::KeysAndSound);
    EXPECT_TRUE(typeOneShown);
    EXPECT_TRUE(soundOnShown);
    EXPECT_EQ(options().dropKeyType, 1);
    EXPECT_EQ(options().soundOn, 0);

    withDialog([](platform::Dialog& d) {
        EXPECT_TRUE(d.isChecked(135));
        EXPECT_TRUE(d.isChecked(137));
        d.click(134);
        d.click(136);
        d.click(1);
    });
    command(command::KeysAndSound);
    EXPECT_EQ(options().dropKeyType, 0);
    EXPECT_EQ(options().soundOn, 1);
}

TEST_F(CommandsTest, cancelEscapeAndTheCloseBoxChangeNothing)
{
    const std::array<std::function<void(platform::Dialog&)>, 3> ways{
        [](platform::Dialog& d) { d.click(2); },
        [](platform::Dialog& d) { d.pressEscape(); },
        [](platform::Dialog& d) { d.closeBox(); },
    };
    for (const auto& leave : ways) {
        withDialog([&](platform::Dialog& d) {
            d.click(135);
            d.click(137);
            leave(d);
        });
        command(command::KeysAndSound);
        EXPECT_EQ(options().dropKeyType, 0);
        EXPECT_EQ(options().soundOn, 1);
        withDialog([&](platform::Dialog& d) {
            d.click(141);
            leave(d);
        });
        command(command::Difficulty);
        EXPECT_EQ(options().difficulty, 0);
    }
    EXPECT_EQ(platform::Dialog::active(), nullptr);
}

TEST_F(CommandsTest, theDifficultyDialogStoresTheChosenLevel)
{
    std::string caption;
    withDialog([&](platform::Dialog& d) {
        caption = d.caption();
        EXPECT_TRUE(d.isChecked(140));
        d.click(141);
        d.click(1);
    });
    command(command::Difficulty);
    EXPECT_EQ(caption, "難しい設定");
    EXPECT_EQ(options().difficulty, 1);
}

TEST_F(CommandsTest, theAboutBoxOpensAndClosesWithOk)
{
    std::string caption;
    std::string version;
    withDialog([&](platform::Dialog& d) {
        caption = d.caption();
        version = d.textUtf8(130);
        d.click(1);
    });
    command(command::About);
    EXPECT_EQ(caption, "タマロのバージョン情報");
    EXPECT_EQ(version, "タマロ Ver1.00");
    EXPECT_EQ(platform::Dialog::active(), nullptr);
}

TEST_F(CommandsTest, tabAndClipCommandsStoreTheirSettings)
{
    command(command::TabStar);
    EXPECT_EQ(options().panelTab, 2);
    command(command::TabTriangle);
    EXPECT_EQ(options().panelTab, 3);
    command(command::TabDiamond);
    EXPECT_EQ(options().panelTab, 1);
    command(command::Clip);
    EXPECT_EQ(options().clipOn, 1);
    command(command::Clip);
    EXPECT_EQ(options().clipOn, 0);
    options().clipOn = 7;
    command(command::Clip);
    EXPECT_EQ(options().clipOn, 1) << "any value other than 1 turns the clip on";
}

TEST_F(CommandsTest, alwaysOnTopMovesTheCheckMarkAndStackingTogetherInPlace)
{
    const platform::Rect before = window.windowRect();
    command(command::AlwaysOnTop);
    EXPECT_EQ(options().alwaysOnTop, 0);
    EXPECT_FALSE(window.menu().isChecked(command::AlwaysOnTop));
    EXPECT_FALSE(window.isTopmost());
    EXPECT_EQ(window.windowRect(), before);
    command(command::AlwaysOnTop);
    EXPECT_EQ(options().alwaysOnTop, 1);
    EXPECT_TRUE(window.menu().isChecked(command::AlwaysOnTop));
    EXPECT_TRUE(window.isTopmost());
    EXPECT_EQ(window.windowRect(), before);
    EXPECT_EQ(window.clientSize().width, 639);
    EXPECT_EQ(window.clientSize().height, 479);
}

TEST_F(CommandsTest, unknownCommandsAndHighWordsAreIgnoredOrStripped)
{
    const Options before = options();
    command(9999);
    command(0);
    EXPECT_EQ(std::memcmp(&before, &options(), sizeof(Options)), 0);
    send(platform::MessageKind::Command, (1u << 16) | command::TabStar);
    EXPECT_EQ(options().panelTab, 2);
}

namespace {

// The twelve settings fields as the data file on disk holds them now.
std::array<std::int32_t, 12> settingsOnDisk()
{
    std::ifstream in("tm_data.dat", std::ios::binary);
    in.seekg(264);
    std::array<std::int32_t, 12> fields{};
    in.read(reinterpret_cast<char*>(fields.data()), sizeof fields);
    return fields;
}

} // namespace

// Nothing of what the player chooses waits for the end of the run to reach
// the disk; a moved window is written half a second later, and this run's own
// flags never are.
TEST_F(CommandsTest, everyChoiceOfThePlayerIsOnDiskAtOnceAndAMoveOnceItRests)
{
    command(command::TabStar);
    EXPECT_EQ(settingsOnDisk()[2], 2);
    command(command::Clip);
    EXPECT_EQ(settingsOnDisk()[3], 1);
    command(command::AlwaysOnTop);
    EXPECT_EQ(settingsOnDisk()[5], 0);
    withDialog([](platform::Dialog& d) {
        d.click(135);
        d.click(137);
        d.click(1);
    });
    command(command::KeysAndSound);
    EXPECT_EQ(settingsOnDisk()[0], 1);
    EXPECT_EQ(settingsOnDisk()[4], 0);
    withDialog([](platform::Dialog& d) {
        d.click(141);
        d.click(1);
    });
    command(command::Difficulty);
    EXPECT_EQ(settingsOnDisk()[1], 1);

    startGame();
    EXPECT_EQ(settingsOnDisk()[6], 0) << "a running game is never written as running";
    EXPECT_EQ(settingsOnDisk()[7], 0);

    const auto before = settingsOnDisk();
    window.send(platform::Message{platform::MessageKind::PositionChanged, 0, 0, {40, 50, 645, 531}});
    window.send(platform::Message{platform::MessageKind::PositionChanged, 0, 0, {41, 52, 645, 531}});
    EXPECT_EQ(settingsOnDisk(), before) << "not at every step of a drag";
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Place)), 500);
    timer(timerId(GameTimer::Place));
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Place)), 0);
    const auto after = settingsOnDisk();
    EXPECT_EQ((std::array<std::int32_t, 4>{after[8], after[9], after[10], after[11]}),
              (std::array<std::int32_t, 4>{41, 52, 41 + 645, 52 + 531}));
}

// A damaged file may hold any number in the two radio fields; their dialogs
// then open with no button of the group checked, and OK changes nothing.
TEST_F(CommandsTest, radioFieldsOutOfRangeCheckNoButtonAndAreKept)
{
    for (const std::int32_t value : {0x7fffffff, -0x7fffffff - 1, 2, -1}) {
        options().dropKeyType = value;
        options().difficulty = value;
        bool keysUnchecked = false;
        bool levelUnchecked = false;
        withDialog([&](platform::Dialog& d) {
            keysUnchecked = !d.isChecked(134) && !d.isChecked(135) && d.isChecked(136);
            d.click(1);
        });
        command(command::KeysAndSound);
        withDialog([&](platform::Dialog& d) {
            levelUnchecked = !d.isChecked(140) && !d.isChecked(141);
            d.click(1);
        });
        command(command::Difficulty);
        EXPECT_TRUE(keysUnchecked) << value;
        EXPECT_TRUE(levelUnchecked) << value;
        EXPECT_EQ(options().dropKeyType, value);
        EXPECT_EQ(options().difficulty, value);
    }
}

#include "tests/shell/game_window.h"
#include "platform/clock.h"
#include "platform/notice.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "resources/menu.h"
#include "shell/main_window.h"
#include "core/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

using MainWindowTest = GameWindowTest;

TEST_F(MainWindowTest, theFirstMessageBuildsSurfacesAndTheGameOnce)
{
    ASSERT_TRUE(program.game.has_value());
    EXPECT_FALSE(program.canvasPending);
    EXPECT_EQ(game().window, &window);
    EXPECT_EQ(game().options, &program.options);
    EXPECT_EQ(program.canvas.backBuffer.width(), 639);
    EXPECT_EQ(program.canvas.backBuffer.height(), 479);
    EXPECT_EQ(program.canvas.strip.width(), 172);
    EXPECT_EQ(program.canvas.strip.height(), 36);
    const Game* built = &*program.game;
    window.send(platform::Message{platform::MessageKind::Timer, 999, 0, {}});
    EXPECT_EQ(&*program.game, built);
}

TEST_F(MainWindowTest, theGameSeedsTheGeneratorFromTheCalendarAndCarriesThePatternNames)
{
    Random expected;
    seed(expected, 1765432100u);
    EXPECT_EQ(game().well.random.state, expected.state);
    EXPECT_EQ(platform::sjis::toUtf8(game().patternNames[3].data()), "たまろ");
    EXPECT_EQ(std::strlen(game().patternNames[8].data()), 24u);
    EXPECT_EQ(platform::sjis::toUtf8(game().patternNames[8].data()), "みっくすえくすとらパンチ");
}

TEST_F(MainWindowTest, theFirstRunOpensCentredTopmostWithTheExactClientArea)
{
    const platform::Size client = window.clientSize();
    EXPECT_EQ(client.width, 639);
    EXPECT_EQ(client.height, 479);
    const platform::Rect outer = window.windowRect();
    const platform::Rect desktop = window.desktopRect();
    EXPECT_EQ(outer.left, (desktop.width() - outer.width()) / 2);
    EXPECT_EQ(outer.top, (desktop.height() - outer.height()) / 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isTopmost());
    EXPECT_TRUE(window.menu().isChecked(command::AlwaysOnTop));
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Title)), 77);
    const Options::WindowRect& stored = program.options.windowRect;
    EXPECT_EQ(platform::Rect(stored.left, stored.top, stored.right, stored.bottom), outer);
}

TEST_F(MainWindowTest, aRepaintRestoresExactlyTheAreaFromTheBackBuffer)
{
    window.paintNow();
    platform::Surface& screen = window.screen();
    screen.fillRect(platform::Rect{0, 0, 639, 479}, platform::Brush{platform::rgb(1, 2, 3)});
    program.canvas.backBuffer.fillRect(platform::Rect{0, 0, 639, 479}, platform::Brush{platform::rgb(200, 100, 50)});
    window.invalidate(platform::Rect{100, 100, 110, 120});
    window.paintNow();
    EXPECT_EQ(screen.pixel(100, 100), platform::rgb(200, 100, 50));
    EXPECT_EQ(screen.pixel(109, 119), platform::rgb(200, 100, 50));
    EXPECT_EQ(screen.pixel(110, 119), platform::rgb(1, 2, 3));
    EXPECT_EQ(screen.pixel(109, 120), platform::rgb(1, 2, 3));
    EXPECT_EQ(screen.pixel(99, 100), platform::rgb(1, 2, 3));
}

TEST_F(MainWindowTest, movesAreRememberedAndClosingStoresTheRectangleAndShutsDown)
{
    window.place(platform::Rect{20, 30, 20 + window.windowRect().width(), 30 + window.windowRect().height()}, true);
    EXPECT_EQ(program.options.windowRect.left, 20);
    EXPECT_EQ(program.options.windowRect.top, 30);
    window.destroy();
    EXPECT_EQ(program.options.windowRect.left, 20);
    EXPECT_EQ(program.options.windowRect.right, 20 + 640 - 1 + (window.windowRect().width() - 639));
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Title)), 0);
    EXPECT_EQ(window.timerPeriod(100), 0);
    EXPECT_TRUE(program.canvas.backBuffer.isEmpty());
    EXPECT_TRUE(program.canvas.sprites.isEmpty());
    EXPECT_TRUE(program.canvas.strip.isEmpty());
    EXPECT_TRUE(window.quitPosted());
    EXPECT_TRUE(program.game.has_value()) << "the game outlives its window";
}

TEST_F(MainWindowTest, theExitCommandShutsDownLikeTheCloseBox)
{
    window.send(platform::Message{platform::MessageKind::Command, command::Exit, 0, {}});
    EXPECT_TRUE(window.destroyed());
    EXPECT_TRUE(window.quitPosted());
    EXPECT_TRUE(program.canvas.backBuffer.isEmpty());
}

// A damaged or hand-edited data file that says a game is running and the
// ranking entry is gone, with a window rectangle at the ends of the range.
class StoredRunningGame : public GameWindowTest {
protected:
    void prepareFolder() override
    {
        Options stored;
        stored.gameRunning = 1;
        stored.rankingMenuRemoved = 1;
        stored.windowRect = {std::numeric_limits<std::int32_t>::max() - 5, std::numeric_limits<std::int32_t>::min(),
                             std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
        std::ofstream out("tm_data.dat", std::ios::binary);
        const std::string table(264, '\0');
        out.write(table.data(), static_cast<std::streamsize>(table.size()));
        out.write(reinterpret_cast<const char*>(&stored), sizeof stored);
    }
};

TEST_F(StoredRunningGame, theRunStartsIdleAndNoKeyTickOrActivationReachesTheWellBeforeAGame)
{
    EXPECT_EQ(options().gameRunning, 0);
    EXPECT_EQ(options().rankingMenuRemoved, 0);
    EXPECT_TRUE(window.menu().contains(command::Ranking));
    key(0x25);
    key(0x28);
    character(' ');
    character('2');
    send(platform::MessageKind::Activate, 0);
    send(platform::MessageKind::Activate, 1);
    timer(timerId(GameTimer::Title));
    EXPECT_EQ(window.timerPeriod(100), 0);
    EXPECT_EQ(window.timerPeriod(101), 0);

    startGame();
    EXPECT_FALSE(window.menu().contains(command::Ranking)) << "the first game removes the entry as usual";
    EXPECT_EQ(cell(4, 1), 1);
}

// A data file the game must leave alone: a folder in its place.
class UnusableDataFile : public GameWindowTest {
protected:
    void prepareFolder() override
    {
        platform::forgetNotice();
        std::filesystem::create_directory("tm_data.dat");
    }
    void TearDown() override
    {
        GameWindowTest::TearDown();
        platform::forgetNotice();
    }
};

TEST_F(UnusableDataFile, thePlayerIsToldOnceInTheWindowThatNothingWillBeSaved)
{
    EXPECT_NE(platform::shownNotice().find("この回の成績と設定は保存されません"), std::string::npos)
        << platform::shownNotice();
    const std::string first = platform::shownNotice();
    command(command::Clip);
    EXPECT_EQ(platform::shownNotice(), first) << "one box in a run";
}

TEST_F(MainWindowTest, aSaveThatFailsDuringPlayIsShownInTheWindowOnce)
{
    platform::forgetNotice();
    EXPECT_EQ(platform::shownNotice(), "");
    std::filesystem::remove_all(folder);
    ::testing::internal::CaptureStderr();
    command(command::Clip);
    command(command::Clip);
    const std::string said = ::testing::internal::GetCapturedStderr();
    const auto failures = [&said] {
        int n = 0;
        for (std::size_t at = said.find("cannot save"); at != std::string::npos; at = said.find("cannot save", at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(failures(), 2) << "each failure is said on standard error: " << said;
    EXPECT_NE(platform::shownNotice().find("保存できませんでした"), std::string::npos) << platform::shownNotice();
    platform::forgetNotice();
}

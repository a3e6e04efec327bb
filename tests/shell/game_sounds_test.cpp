#include "engine/well.h"
#include "platform/application.h"
#include "platform/dialog.h"
#include "platform/clock.h"
#include "platform/program_folder.h"
#include "platform/window.h"
#include "resources/menu.h"
#include "shell/main_window.h"
#include "tests/shell/sound_capture.h"

namespace {

using namespace soundtest;

constexpr int dropLevel = 5000;
constexpr int riseLevel = 10000;
constexpr int soundFrames = deviceRate / 10;

// A whole game through the window procedure, hearing what reaches the device.
class GameSoundsTest : public SoundTest {
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        writeFile(soundFile("snd0.wav"), squareWav(dropLevel, soundFrames));
        writeFile(soundFile("snd6.wav"), squareWav(riseLevel, soundFrames));
        platform::Clock::instance().simulate(1765432100);
    }

    void TearDown() override
    {
        program.game.reset();
        window.reset();
        platform::Clock::instance().useRealTime();
        SoundTest::TearDown();
    }

    void openWindow(int soundOn)
    {
        program.options.soundOn = soundOn;
        window = std::make_unique<platform::Window>(procedureFor(program));
        window->create(windowTitle, mainMenu, "TM_ICON");
    }

    void send(platform::MessageKind kind, std::uint32_t wParam)
    {
        window->send(platform::Message{kind, wParam, 0, {}});
    }

    // Drops pieces from the top and counts the rising timer down until one
    // row has risen, or the game is over.
    void playUntilARowRises()
    {
        send(platform::MessageKind::Command, command::Start);
        send(platform::MessageKind::Char, ' ');
        for (int tick = 0; tick < 100000 && program.options.gameRunning != 0; ++tick) {
            const bool due = program.game->riseDue != 0;
            send(platform::MessageKind::Timer, timerId(GameTimer::Rise));
            if (!due && program.game->riseDue != 0)
                break;
        }
    }

    Program program;
    std::unique_ptr<platform::Window> window;
};

TEST_F(GameSoundsTest, onlyALongDropThatBouncedThenARiseEachPlayTheirSoundWhole)
{
    constexpr std::uint32_t vkUp = 0x26;
    openWindow(1);
    // The device opens with the first sound; silence is heard only once it runs.
    ASSERT_TRUE(program.game->sounds.audio.isOpen());
    send(platform::MessageKind::Command, command::Start);
    const std::size_t before = played().size();
    // A step onto the floor and a drop of one row land without a bounce, and silently.
    for (int i = 0; i < 11; ++i)
        send(platform::MessageKind::KeyDown, vkUp);
    for (int i = 0; i < 8; ++i)
        send(platform::MessageKind::KeyDown, vkUp);
    send(platform::MessageKind::Char, ' ');
    ASSERT_EQ(cellAt(program.game->well.grid, 4, 10), 1);
    EXPECT_EQ(countLevel(playedPast(before, 0.3), dropLevel), 0u);

    send(platform::MessageKind::Char, ' ');
    const std::size_t drop = waitForLevel(dropLevel);
    auto samples = playedPast(drop, 0.3);
    EXPECT_EQ(countLevel(samples, dropLevel), std::size_t{soundFrames * deviceChannels});
    EXPECT_EQ(countLevel(samples, riseLevel), 0u);

    playUntilARowRises();
    const std::size_t rise = waitForLevel(riseLevel);
    samples = playedPast(rise, 0.3);
    EXPECT_EQ(countLevel(samples, riseLevel), std::size_t{soundFrames * deviceChannels});
}

TEST_F(GameSoundsTest, withSoundOffNothingReachesTheDevice)
{
    openWindow(0);
    ASSERT_TRUE(program.game->sounds.audio.isOpen());
    playUntilARowRises();
    ASSERT_NE(program.game->riseDue, 0);
    send(platform::MessageKind::Command, command::Restart);
    const auto samples =
        playedUntil([](const auto& s) { return s.size() >= std::size_t{deviceRate * deviceChannels / 2}; });
    EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](std::int16_t v) { return v == 0; }));
}

TEST_F(GameSoundsTest, withoutTheSoundFolderAGamePlaysThroughSilently)
{
    fs::remove_all(soundFile("snd0.wav").parent_path());
    if (fs::exists(platform::programFolder() / "sound"))
        GTEST_SKIP() << "a sound folder lies beside the test program";
    openWindow(1);
    ASSERT_TRUE(program.game->sounds.audio.isOpen());
    playUntilARowRises();
    ASSERT_NE(program.game->riseDue, 0);
    send(platform::MessageKind::Command, command::Restart);
    EXPECT_EQ(program.options.gameRunning, 0);
    const auto samples =
        playedUntil([](const auto& s) { return s.size() >= std::size_t{deviceRate * deviceChannels / 2}; });
    EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](std::int16_t v) { return v == 0; }));
}

} // namespace

TEST_F(GameSoundsTest, theSidePanelsTabsAndClipPlayTheirSoundsWhole)
{
    constexpr int tabLevel = 7000;
    constexpr int clipLevel = 12000;
    writeFile(soundFile("snd1.wav"), squareWav(tabLevel, soundFrames));
    writeFile(soundFile("snd2.wav"), squareWav(clipLevel, soundFrames));
    openWindow(1);

    window->send(platform::Message{platform::MessageKind::LeftButtonDown, 0, platform::makePointParam(93, 335), {}});
    const std::size_t tab = waitForLevel(tabLevel);
    auto samples = playedPast(tab, 0.3);
    EXPECT_EQ(countLevel(samples, tabLevel), std::size_t{soundFrames * deviceChannels});

    window->send(platform::Message{platform::MessageKind::LeftButtonDown, 0, platform::makePointParam(47, 400), {}});
    const std::size_t clip = waitForLevel(clipLevel);
    samples = playedPast(clip, 0.3);
    EXPECT_EQ(countLevel(samples, clipLevel), std::size_t{soundFrames * deviceChannels});

    send(platform::MessageKind::Command, command::TabTriangle);
    const auto afterPinned = playedPast(clip, 0.5);
    EXPECT_EQ(countLevel(afterPinned, tabLevel), std::size_t{soundFrames * deviceChannels})
        << "a tab command while the clip is pinned shows nothing and plays nothing";
}

TEST_F(GameSoundsTest, theAboutBoxChimesWhileOpenOnlyWithSoundOnAndStopsWhenClosed)
{
    constexpr int chimeLevel = 9000;
    // Two seconds of chime: closing the box must cut it off long before its end.
    writeFile(soundFile("chime.wav"), squareWav(chimeLevel, 2 * deviceRate));
    openWindow(1);
    std::size_t heardWhileOpen = 0;
    platform::Application::runSoon([&] {
        heardWhileOpen = waitForLevel(chimeLevel);
        platform::Dialog::active()->click(1);
    });
    send(platform::MessageKind::Command, command::About);
    const auto samples = playedPast(heardWhileOpen, 1.0);
    const std::size_t chimed = countLevel(samples, chimeLevel);
    EXPECT_GT(chimed, 0u);
    EXPECT_LT(chimed, std::size_t{deviceRate * deviceChannels}) << "the chime stopped when the box closed";

    program.options.soundOn = 0;
    const std::size_t before = countLevel(playedPast(0, 0.0), chimeLevel);
    platform::Application::runSoon([] { platform::Dialog::active()->click(1); });
    send(platform::MessageKind::Command, command::About);
    EXPECT_EQ(countLevel(playedPast(samples.size(), 0.5), chimeLevel), before) << "no chime with the sound off";
}

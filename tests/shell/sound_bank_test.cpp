#include "platform/program_folder.h"
#include "shell/sound_bank.h"
#include "tests/shell/sound_capture.h"

#include <string>

#include <sys/stat.h>

namespace {

using namespace soundtest;

class SoundBankTest : public SoundTest {};

TEST_F(SoundBankTest, theFourFilesAndTheChimeAreHeldWholeAndPlayFromMemory)
{
    const auto drop = squareWav(3000, 4410);
    writeFile(soundFile("snd0.wav"), drop);
    writeFile(soundFile("snd1.wav"), squareWav(6000, 4410));
    writeFile(soundFile("snd2.wav"), squareWav(9000, 4410));
    writeFile(soundFile("snd6.wav"), squareWav(12000, 4410));
    writeFile(soundFile("snd3.wav"), squareWav(15000, 4410));
    writeFile(soundFile("chime.wav"), squareWav(7000, 4410));

    SoundBank bank;
    ASSERT_TRUE(bank.audio.isOpen());
    for (int slot = 0; slot < soundSlotCount; ++slot) {
        const bool filled = slot == 0 || slot == 1 || slot == 2 || slot == 6;
        EXPECT_EQ(bank.slots[static_cast<std::size_t>(slot)].loaded, filled ? 1 : 0) << "slot " << slot;
        EXPECT_EQ(bank.slots[static_cast<std::size_t>(slot)].data.empty(), !filled) << "slot " << slot;
    }
    EXPECT_EQ(bank.slots[0].data, drop);

    // The game plays from memory: the files going away changes nothing.
    fs::remove_all(soundFile("snd0.wav").parent_path());
    bank.play(6);
    const std::size_t rise = waitForLevel(12000);
    auto samples = playedPast(rise, 0.4);
    EXPECT_EQ(countLevel(samples, 12000), std::size_t{4410 * deviceChannels});

    bank.playChime();
    const std::size_t chime = waitForLevel(7000);
    samples = playedPast(chime, 0.4);
    EXPECT_EQ(countLevel(samples, 7000), std::size_t{4410 * deviceChannels});
    EXPECT_EQ(countLevel(samples, 15000), 0u);
}

TEST_F(SoundBankTest, aSecondSoundCutsOffTheFirstAndStopEndsTheChime)
{
    writeFile(soundFile("snd0.wav"), squareWav(4000, 2 * deviceRate));
    writeFile(soundFile("snd2.wav"), squareWav(11000, deviceRate / 10));
    writeFile(soundFile("chime.wav"), squareWav(8000, 2 * deviceRate));
    SoundBank bank;

    bank.play(0);
    waitForLevel(4000);
    bank.play(2);
    const std::size_t second = waitForLevel(11000);
    auto samples = playedPast(second, 0.4);
    EXPECT_EQ(countLevel(samples, 4000, second), 0u);
    EXPECT_LT(countLevel(samples, 4000), std::size_t{2 * deviceRate * deviceChannels});
    EXPECT_EQ(countLevel(samples, 11000), std::size_t{deviceRate / 10 * deviceChannels});

    bank.playChime();
    const std::size_t chime = waitForLevel(8000);
    bank.stop();
    samples = playedPast(chime, 2.3);
    EXPECT_LT(countLevel(samples, 8000), std::size_t{deviceRate * deviceChannels});
    EXPECT_TRUE(std::all_of(samples.end() - deviceRate, samples.end(), [](std::int16_t v) { return v == 0; }));
}

TEST_F(SoundBankTest, withoutTheSoundFolderEverySlotIsEmptyAndNothingPlays)
{
    if (fs::exists(platform::programFolder() / "sound"))
        GTEST_SKIP() << "a sound folder lies beside the test program";
    SoundBank bank;
    // The device runs, so silence is what it is sent.
    ASSERT_TRUE(bank.audio.isOpen());
    for (const SoundSlot& slot : bank.slots) {
        EXPECT_EQ(slot.loaded, 0);
        EXPECT_TRUE(slot.data.empty());
    }
    EXPECT_TRUE(bank.chime.empty());
    for (const int slot : {0, 1, 2, 6})
        bank.play(slot);
    bank.playChime();
    const auto samples =
        playedUntil([](const auto& s) { return s.size() >= std::size_t{deviceRate * deviceChannels / 2}; });
    EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](std::int16_t v) { return v == 0; }));
}

TEST_F(SoundBankTest, filesThatAreNoSoundStayInTheirSlotsAndOnlyStopWhatPlays)
{
    auto truncated = squareWav(9000, 1000);
    truncated.resize(30);
    const std::string text = "RIFF is not enough: this is a note, not a sound.\n";
    writeFile(soundFile("snd0.wav"), squareWav(5000, 2 * deviceRate));
    writeFile(soundFile("snd1.wav"), {});
    writeFile(soundFile("snd2.wav"), truncated);
    writeFile(soundFile("snd6.wav"), std::vector<std::uint8_t>(text.begin(), text.end()));
    fs::create_directories(soundFile("chime.wav"));
    SoundBank bank;

    EXPECT_EQ(bank.slots[1].loaded, 1);
    EXPECT_TRUE(bank.slots[1].data.empty());
    EXPECT_EQ(bank.slots[2].data, truncated);
    EXPECT_EQ(bank.slots[6].data.size(), text.size());
    EXPECT_TRUE(bank.chime.empty());

    std::size_t cutAt = 0;
    for (const int bad : {1, 2, 6, -1, 10}) {
        bank.play(0);
        const auto before = played().size();
        const auto samples = playedUntil([&](const auto& s) { return countLevel(s, 5000, before) > 0; });
        cutAt = samples.size();
        bank.play(bad);
        const auto after = playedPast(cutAt, 0.5);
        EXPECT_LT(countLevel(after, 5000, before), std::size_t{deviceRate * deviceChannels}) << "slot " << bad;
        EXPECT_TRUE(std::all_of(after.end() - deviceRate / 2, after.end(), [](std::int16_t v) { return v == 0; }))
            << "slot " << bad;
    }
}

TEST_F(SoundBankTest, loadSlotRefusesSlotsOutsideTheBankAndKeepsASlotWhoseFileIsGoneOrNoPlainFile)
{
    writeFile(soundFile("snd0.wav"), squareWav(3000, 100));
    SoundBank bank;
    const auto held = bank.slots[0].data;
    EXPECT_EQ(bank.loadSlot(-1, soundFile("snd0.wav")), 0);
    EXPECT_EQ(bank.loadSlot(10, soundFile("snd0.wav")), 0);
    EXPECT_EQ(bank.loadSlot(0, soundFile("missing.wav")), 0);
    // A FIFO is refused at once, never waited on for a writer.
    ASSERT_EQ(::mkfifo(soundFile("fifo.wav").c_str(), 0600), 0);
    EXPECT_EQ(bank.loadSlot(0, soundFile("fifo.wav")), 0);
    EXPECT_EQ(bank.slots[0].loaded, 1);
    EXPECT_EQ(bank.slots[0].data, held);
    EXPECT_EQ(bank.loadSlot(4, soundFile("snd0.wav")), 1);
    EXPECT_EQ(bank.slots[4].data, held);
}

} // namespace

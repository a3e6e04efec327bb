#include "platform/audio_out.h"

#include "tests/disk_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using namespace diskaudio;

void putLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A canonical PCM WAV image; dataBytesClaimed overrides the data chunk's size.
std::vector<std::uint8_t> wavImage(int rate, int channels, int bits, const std::vector<std::uint8_t>& data,
                                   std::uint32_t dataBytesClaimed = 0)
{
    const std::uint32_t dataBytes = dataBytesClaimed ? dataBytesClaimed : static_cast<std::uint32_t>(data.size());
    const int blockAlign = channels * bits / 8;
    std::vector<std::uint8_t> out{'R', 'I', 'F', 'F'};
    putLe(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(out, 16, 4);
    putLe(out, 1, 2);
    putLe(out, static_cast<std::uint32_t>(channels), 2);
    putLe(out, static_cast<std::uint32_t>(rate), 4);
    putLe(out, static_cast<std::uint32_t>(rate * blockAlign), 4);
    putLe(out, static_cast<std::uint32_t>(blockAlign), 2);
    putLe(out, static_cast<std::uint32_t>(bits), 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLe(out, dataBytes, 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// Mono 16-bit samples alternating between +amplitude and -amplitude.
std::vector<std::uint8_t> squareData(int amplitude, int frames)
{
    std::vector<std::uint8_t> data;
    for (int i = 0; i < frames; ++i) {
        const int value = (i / 50) % 2 ? -amplitude : amplitude;
        putLe(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
    }
    return data;
}

std::vector<std::uint8_t> squareWav(int amplitude, int frames)
{
    return wavImage(deviceRate, 1, 16, squareData(amplitude, frames));
}

using AudioOutTest = DiskAudioTest;

std::size_t lastNonSilent(const std::vector<std::int16_t>& samples)
{
    const auto it = std::find_if(samples.rbegin(), samples.rend(), [](std::int16_t v) { return v != 0; });
    return static_cast<std::size_t>(samples.rend() - it) - 1;
}

TEST_F(AudioOutTest, playedToneReachesTheDeviceWholeAndUnaltered)
{
    platform::AudioOut out;
    ASSERT_TRUE(out.isOpen());
    constexpr int frames = 4410;
    out.play(squareWav(8000, frames));

    const std::size_t first = waitForLevel(8000);
    const auto samples = playedPast(first, frames / double(deviceRate) + 0.3);
    EXPECT_EQ(countLevel(samples, 8000), std::size_t{frames * deviceChannels});
    EXPECT_EQ(lastNonSilent(samples), first + frames * deviceChannels - 1);
    EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](std::int16_t v) { return v == 0 || isLevel(v, 8000); }));
}

TEST_F(AudioOutTest, newSoundCutsOffTheOnePlaying)
{
    platform::AudioOut out;
    ASSERT_TRUE(out.isOpen());
    constexpr int longFrames = 5 * deviceRate;
    constexpr int shortFrames = deviceRate / 5;
    out.play(squareWav(4000, longFrames));
    waitForLevel(4000);
    out.play(squareWav(12000, shortFrames));

    const std::size_t second = waitForLevel(12000);
    const auto samples = playedPast(second, 0.5);
    EXPECT_EQ(countLevel(samples, 4000, second), 0u);
    EXPECT_LT(countLevel(samples, 4000), std::size_t{longFrames * deviceChannels});
    EXPECT_EQ(countLevel(samples, 12000), std::size_t{shortFrames * deviceChannels});
    EXPECT_EQ(lastNonSilent(samples), second + shortFrames * deviceChannels - 1);
}

struct Cut {
    const char* name;
    std::function<void(platform::AudioOut&)> apply;
};

void PrintTo(const Cut& cut, std::ostream* out)
{
    *out << cut.name;
}

std::vector<std::uint8_t> truncatedHeader()
{
    auto image = squareWav(9000, 1000);
    image.resize(30);
    return image;
}

std::vector<std::uint8_t> garbage()
{
    std::vector<std::uint8_t> bytes(4000);
    std::uint32_t state = 12345;
    for (auto& b : bytes) {
        state = state * 214013 + 2531011;
        b = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

std::vector<std::uint8_t> textFile()
{
    const std::string text = "RIFF is not enough: this is a note, not a sound.\n";
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> noDataChunk()
{
    auto image = squareWav(9000, 0);
    image.resize(36);
    return image;
}

class AudioOutCutTest : public AudioOutTest, public ::testing::WithParamInterface<Cut> {};

TEST_P(AudioOutCutTest, stopsThePlayingSoundAndPlaysNothingElse)
{
    platform::AudioOut out;
    ASSERT_TRUE(out.isOpen());
    constexpr int frames = 5 * deviceRate;
    constexpr std::size_t quietTail = deviceRate * deviceChannels / 3;
    out.play(squareWav(5000, frames));
    const std::size_t first = waitForLevel(5000);
    GetParam().apply(out);

    // Until a stretch of silence follows the sound, or the whole sound had time to play.
    const auto samples = playedUntil([&](const auto& s) {
        return s.size() - lastNonSilent(s) > quietTail || s.size() > first + (frames + deviceRate) * deviceChannels;
    });
    const std::size_t last = lastNonSilent(samples);
    EXPECT_LT(last - first + 1, std::size_t{frames * deviceChannels});
    EXPECT_EQ(countLevel(samples, 5000), last - first + 1);
    EXPECT_GT(samples.size() - last, quietTail);
}

INSTANTIATE_TEST_SUITE_P(
    Images, AudioOutCutTest,
    ::testing::Values(Cut{"emptyImage", [](platform::AudioOut& out) { out.play({}); }},
                      Cut{"stop", [](platform::AudioOut& out) { out.stop(); }},
                      Cut{"garbage", [](platform::AudioOut& out) { out.play(garbage()); }},
                      Cut{"textFile", [](platform::AudioOut& out) { out.play(textFile()); }},
                      Cut{"truncatedHeader", [](platform::AudioOut& out) { out.play(truncatedHeader()); }},
                      Cut{"noDataChunk", [](platform::AudioOut& out) { out.play(noDataChunk()); }}),
    [](const ::testing::TestParamInfo<Cut>& info) { return info.param.name; });

TEST_F(AudioOutTest, wavWithShortDataPlaysWhatIsThereAndNothingMore)
{
    platform::AudioOut out;
    ASSERT_TRUE(out.isOpen());
    constexpr int present = 3000;
    auto data = squareData(7000, present);
    data.push_back(0x55);
    out.play(wavImage(deviceRate, 1, 16, data, deviceRate * 2));

    const std::size_t first = waitForLevel(7000);
    const auto samples = playedPast(first, present / double(deviceRate) + 0.3);
    EXPECT_EQ(countLevel(samples, 7000), std::size_t{present * deviceChannels});
    EXPECT_EQ(lastNonSilent(samples), first + present * deviceChannels - 1);
}

TEST_F(AudioOutTest, otherEncodingsAreConvertedToTheDeviceFormat)
{
    platform::AudioOut out;
    ASSERT_TRUE(out.isOpen());
    // 8-bit unsigned mono at half the rate, a constant level of +0.5.
    constexpr int frames = deviceRate / 20;
    out.play(wavImage(deviceRate / 2, 1, 8, std::vector<std::uint8_t>(frames, 0xC0)));

    const auto loud = [](std::int16_t v) { return v > 8192; };
    const auto samples = playedUntil([&](const auto& s) {
        const auto it = std::find_if(s.begin(), s.end(), loud);
        return it != s.end() && s.end() - it > deviceRate * deviceChannels / 2;
    });
    const auto count = static_cast<long>(std::count_if(samples.begin(), samples.end(), loud));
    EXPECT_NEAR(count, 2L * frames * deviceChannels, 100);
    EXPECT_TRUE(std::none_of(samples.begin(), samples.end(), [](std::int16_t v) { return v < -2000; }));
}

TEST_F(AudioOutTest, withoutADeviceEveryCallIsHarmlessAndSilent)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        platform::AudioOut out;
        EXPECT_FALSE(out.isOpen());
        out.play(squareWav(8000, 4410));
        out.play({});
        out.play(garbage());
        out.stop();
    }
    EXPECT_FALSE(fs::exists(output_));

    setenv("SDL_AUDIODRIVER", "disk", 1);
    platform::AudioOut reopened;
    EXPECT_TRUE(reopened.isOpen());
}

TEST_F(AudioOutTest, leavesTheHandlingOfTerminationSignalsAlone)
{
    struct sigaction before {};
    sigaction(SIGTERM, nullptr, &before);
    platform::AudioOut out;
    ASSERT_TRUE(out.isOpen());
    struct sigaction during {};
    sigaction(SIGTERM, nullptr, &during);
    EXPECT_EQ(during.sa_handler, before.sa_handler);
}

} // namespace

#pragma once

// What SDL's disk audio driver wrote while a test ran: the device's output,
// silence included, as interleaved 16-bit stereo at 44100 Hz.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace diskaudio {

namespace fs = std::filesystem;

constexpr int deviceRate = 44100;
constexpr int deviceChannels = 2;

// SDL's conversion goes through floating point and may land one step off.
inline bool isLevel(std::int16_t sample, int amplitude)
{
    return std::abs(std::abs(int{sample}) - amplitude) <= 1;
}

inline std::size_t countLevel(const std::vector<std::int16_t>& samples, int amplitude, std::size_t from = 0)
{
    from = std::min(from, samples.size());
    return static_cast<std::size_t>(std::count_if(samples.begin() + static_cast<std::ptrdiff_t>(from), samples.end(),
                                                  [&](std::int16_t v) { return isLevel(v, amplitude); }));
}

// A scratch folder of the test's own, with the disk driver writing into it.
class DiskAudioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        folder_ = fs::temp_directory_path() / ("tamaro-audio-" + std::to_string(getpid()) + "-" + name);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        output_ = folder_ / "played.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    }

    void TearDown() override { fs::remove_all(folder_); }

    std::vector<std::int16_t> played() const
    {
        std::ifstream in(output_, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::int16_t> samples(bytes.size() / 2);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i])
                                                   | static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
        return samples;
    }

    // Polls the driver's output until done holds; the deadline only guards against a hang.
    std::vector<std::int16_t> playedUntil(const std::function<bool(const std::vector<std::int16_t>&)>& done) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::vector<std::int16_t> samples = played();
        while (!done(samples)) {
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the device output never got there; " << samples.size() << " samples written";
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            samples = played();
        }
        return samples;
    }

    // Index of the first sample at the level, once it has reached the device.
    std::size_t waitForLevel(int amplitude) const
    {
        const auto samples = playedUntil([&](const auto& s) { return countLevel(s, amplitude) > 0; });
        return static_cast<std::size_t>(
            std::find_if(samples.begin(), samples.end(), [&](std::int16_t v) { return isLevel(v, amplitude); })
            - samples.begin());
    }

    // Everything written up to the given time past the sample index.
    std::vector<std::int16_t> playedPast(std::size_t index, double seconds) const
    {
        const auto wanted = index + static_cast<std::size_t>(seconds * deviceRate * deviceChannels);
        return playedUntil([&](const auto& s) { return s.size() >= wanted; });
    }

    fs::path folder_;
    fs::path output_;
};

} // namespace diskaudio

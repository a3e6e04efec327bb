#pragma once

// What the disk audio driver wrote while a test ran, and sound files for a
// working directory of the test's own.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace soundtest {

namespace fs = std::filesystem;

// The device plays interleaved 16-bit stereo at 44100 Hz.
constexpr int deviceRate = 44100;
constexpr int deviceChannels = 2;

inline void putLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A mono 16-bit PCM WAV image of a square wave at the given level.
inline std::vector<std::uint8_t> squareWav(int amplitude, int frames)
{
    std::vector<std::uint8_t> out{'R', 'I', 'F', 'F'};
    putLe(out, 36 + 2 * static_cast<std::uint32_t>(frames), 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(out, 16, 4);
    putLe(out, 1, 2);
    putLe(out, 1, 2);
    putLe(out, deviceRate, 4);
    putLe(out, deviceRate * 2, 4);
    putLe(out, 2, 2);
    putLe(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLe(out, 2 * static_cast<std::uint32_t>(frames), 4);
    for (int i = 0; i < frames; ++i) {
        const int value = (i / 50) % 2 ? -amplitude : amplitude;
        putLe(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
    }
    return out;
}

inline void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

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

// A working directory of the test's own, with the disk driver writing into it.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        previous_ = fs::current_path();
        folder_ = fs::temp_directory_path() / ("tamaro-sound-" + std::to_string(getpid()) + "-" + name);
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "work");
        fs::current_path(folder_ / "work");
        output_ = folder_ / "played.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    }

    void TearDown() override
    {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    fs::path soundFile(const char* name) const { return folder_ / "work" / "sound" / name; }

    std::vector<std::int16_t> played() const
    {
        const std::vector<std::uint8_t> bytes = readFile(output_);
        std::vector<std::int16_t> samples(bytes.size() / 2);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
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

    fs::path previous_;
    fs::path folder_;
    fs::path output_;
};

} // namespace soundtest

#pragma once

// What the disk audio driver wrote while a test ran, and sound files for a
// working directory of the test's own.

#include "tests/disk_audio.h"

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
using namespace diskaudio;

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

// A working directory of the test's own, with the disk driver writing into it.
class SoundTest : public DiskAudioTest {
protected:
    void SetUp() override
    {
        DiskAudioTest::SetUp();
        previous_ = fs::current_path();
        fs::create_directories(folder_ / "work");
        fs::current_path(folder_ / "work");
    }

    void TearDown() override
    {
        fs::current_path(previous_);
        DiskAudioTest::TearDown();
    }

    fs::path soundFile(const char* name) const { return folder_ / "work" / "sound" / name; }

    fs::path previous_;
};

} // namespace soundtest

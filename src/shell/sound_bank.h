#pragma once

#include "platform/audio_out.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

// One slot of the bank: a whole WAV file image, header included, as stored on disk.
struct SoundSlot {
    std::int32_t loaded = 0;
    std::vector<std::uint8_t> data;
};

inline constexpr int soundSlotCount = 10;

struct SoundFile {
    int slot;
    const char* name;
};

// Slot 0 a long drop, 1 a side-panel tab shown, 2 the clip toggled, 6 a row risen.
inline constexpr std::array<SoundFile, 4> soundFiles{{
    {0, "snd0.wav"},
    {1, "snd1.wav"},
    {2, "snd2.wav"},
    {6, "snd6.wav"},
}};
inline constexpr const char* chimeFile = "chime.wav";

// The game's sound effects, read whole into memory when the bank is built and
// played from there. Callers play only while soundOn is not 0.
struct SoundBank {
    SoundBank();

    // Returns 1 when the slot was filled; a slot outside 0 to 9 or a file that
    // cannot be read leaves the bank as it was.
    int loadSlot(int slot, const std::filesystem::path& path);
    // Plays the slot asynchronously, cutting off what plays; an empty slot,
    // or one outside the bank, only stops the sound.
    void play(int slot);
    // The About box's chime, played until stop() or another sound.
    void playChime();
    void stop();

    std::array<SoundSlot, soundSlotCount> slots{};
    std::vector<std::uint8_t> chime;
    platform::AudioOut audio;
};

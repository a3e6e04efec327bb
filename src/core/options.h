#pragma once

#include <cstdint>

// The settings of the game, stored byte for byte after the ranking table in
// the data file: twelve 32-bit fields in this order, 48 bytes.
struct Options {
    std::int32_t dropKeyType = 0;
    std::int32_t difficulty = 0;
    std::int32_t panelTab = 1;
    std::int32_t clipOn = 0;
    std::int32_t soundOn = 1;
    std::int32_t alwaysOnTop = 1;
    std::int32_t gameRunning = 0;
    std::int32_t rankingMenuRemoved = 0;
    // The main window's outer rectangle in screen pixels.
    struct WindowRect {
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t right = 0;
        std::int32_t bottom = 0;
    } windowRect;
};

static_assert(sizeof(Options) == 48, "Options is stored as exactly 48 bytes");

inline constexpr int optionsFieldCount = 12;

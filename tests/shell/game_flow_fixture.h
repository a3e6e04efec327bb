#pragma once

#include "tests/shell/game_window.h"

#include "platform/clock.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

inline constexpr std::uint32_t vkLeft = 0x25;
inline constexpr std::uint32_t vkUp = 0x26;
inline constexpr std::uint32_t vkRight = 0x27;
inline constexpr std::uint32_t vkDown = 0x28;

// Whether the game paused for ms since the clock's pauses were last cleared.
inline bool paused(int ms)
{
    const auto& pauses = platform::Clock::instance().pauses();
    return std::find(pauses.begin(), pauses.end(), ms) != pauses.end();
}

inline std::vector<char> fileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class GameFlowTest : public GameWindowTest {
protected:
    // Six settled cells of colour 1 in the bottom row, the last one open: a
    // piece of colour 1 would complete an extra punch (▼ tab) there.
    void openAnExtraPunchInTheBottomRow()
    {
        for (int column = 1; column <= 6; ++column)
            cellAt(game().well.grid, column, 11) = 1;
    }

    // Pixels of the screen that are not black, in the area and outside the hole.
    int litPixels(const platform::Rect& area, const platform::Rect& hole = {})
    {
        int lit = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const bool inHole = x >= hole.left && x < hole.right && y >= hole.top && y < hole.bottom;
                lit += !inHole && window.screen().pixel(x, y) != platform::rgb(0, 0, 0);
            }
        }
        return lit;
    }

    // A pixel inside the balloon's body, left of its text.
    platform::Colour balloonPixel() { return window.screen().pixel(470, 420); }
    platform::Colour stripPixel() { return program.canvas.strip.pixel(470 - 468, 420 - 398); }
};

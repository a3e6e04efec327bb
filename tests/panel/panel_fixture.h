#pragma once

#include "panel/side_panel.h"
#include "platform/clock.h"
#include "platform/surface.h"
#include "platform/window.h"
#include "resources/menu.h"
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <string_view>

// Marker colours of the test sprite sheet, one per example-row digit.
inline constexpr std::array<platform::Colour, 3> testMarkerColours{
    platform::rgb(210, 30, 30), platform::rgb(230, 220, 40), platform::rgb(40, 60, 220)};
inline constexpr platform::Colour testBackground = platform::rgb(30, 60, 90);

// A sprite sheet whose pictures can be told apart pixel by pixel: markers
// with a black rim, a clip whose every pixel differs and a green cap.
inline platform::Surface makeTestSprites()
{
    platform::Surface sheet(468, 83);
    for (int d = 0; d < 3; ++d)
        sheet.fillRect(platform::Rect{11 * d + 1, 66, 11 * d + 10, 75},
                       platform::Brush{testMarkerColours[static_cast<std::size_t>(d)]});
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 14; ++x)
            sheet.setPixel(297 + x, 39 + y, platform::rgb(100 + 10 * x, 5 * y + 10, 150));
    sheet.fillRect(platform::Rect{311, 39, 323, 43}, platform::Brush{platform::rgb(0, 250, 0)});
    return sheet;
}

// The real window procedure over a canvas made here: a flat background with
// a gradient where the pinned clip lies, and the test sprite sheet.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::Clock::instance().simulate(1765432100);
        program.canvas.backBuffer = platform::Surface(clientWidth, clientHeight);
        program.canvas.backBuffer.fillRect(platform::Rect{0, 0, clientWidth, clientHeight},
                                           platform::Brush{testBackground});
        for (int y = 10; y < 70; ++y)
            for (int x = 130; x < 155; ++x)
                program.canvas.backBuffer.setPixel(x, y, platform::rgb(4 * x - 300, 3 * y, 200));
        program.canvas.sprites = makeTestSprites();
        program.canvas.strip = platform::Surface(stripArea.width(), stripArea.height());
        program.canvas.window = &window;
        program.canvasPending = false;
        window.create(windowTitle, mainMenu, "TM_ICON");
        ASSERT_TRUE(program.game.has_value());
    }
    void TearDown() override
    {
        program.game.reset();
        platform::Clock::instance().useRealTime();
    }

    Game& game() { return *program.game; }
    SidePanel& panel() { return program.game->panel; }
    platform::Surface& back() { return program.canvas.backBuffer; }
    platform::Menu& menu() { return window.menu(); }

    Program program;
    platform::Window window{procedureFor(program)};
};

// True when the w by h pixels at (x, y) of a equal those at (sx, sy) of b.
inline bool sameBlock(const platform::Surface& a, int x, int y, const platform::Surface& b, int sx, int sy, int w,
                      int h)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (a.pixel(x + i, y + j) != b.pixel(sx + i, sy + j))
                return false;
    return true;
}

inline bool sameSurface(const platform::Surface& a, const platform::Surface& b)
{
    return a.width() == b.width() && a.height() == b.height() && sameBlock(a, 0, 0, b, 0, 0, a.width(), a.height());
}

inline platform::Surface snapshot(const platform::Surface& s)
{
    platform::Surface copy(s.width(), s.height());
    copy.copyFrom(0, 0, s.width(), s.height(), s, 0, 0);
    return copy;
}

// The radio-marked tab item, 150 to 152, or 0 when none or several carry it.
inline int markedTab(const platform::Menu& menu)
{
    int marked = 0;
    for (int id = command::TabDiamond; id <= command::TabTriangle; ++id) {
        if (menu.hasRadioMark(id)) {
            if (marked != 0)
                return 0;
            marked = id;
        }
    }
    return marked;
}

inline std::int32_t click(int x, int y)
{
    return platform::makePointParam(x, y);
}

#include "tests/shell/game_window.h"

#include <cstdint>
#include <fstream>

namespace {

// A data file that holds the default table bytes of no interest and these settings.
void writeDataFile(const Options& options)
{
    std::ofstream out("tm_data.dat", std::ios::binary);
    const std::string table(264, '\0');
    out.write(table.data(), static_cast<std::streamsize>(table.size()));
    out.write(reinterpret_cast<const char*>(&options), sizeof options);
}

class StoredPlacementTest : public GameWindowTest {
protected:
    void prepareFolder() override { writeDataFile(stored); }
    Options stored;
};

// Rectangles that would leave the title bar out of reach: above the screen,
// off every side, degenerate, or at the ends of the stored integers.
class Unreachable : public StoredPlacementTest, public ::testing::WithParamInterface<Options::WindowRect> {
protected:
    void prepareFolder() override
    {
        stored.alwaysOnTop = 0;
        stored.windowRect = GetParam();
        StoredPlacementTest::prepareFolder();
    }
};

INSTANTIATE_TEST_SUITE_P(StoredRectangles, Unreachable,
                         ::testing::Values(Options::WindowRect{5000, 4000, 5644, 4504},
                                           Options::WindowRect{100, -30, 741, 489},
                                           Options::WindowRect{-600, 100, 41, 619}, Options::WindowRect{0, 0, 0, 0},
                                           Options::WindowRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                                           Options::WindowRect{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}));

class OnScreen : public StoredPlacementTest {
protected:
    void prepareFolder() override
    {
        stored.windowRect = {60, 40, 700, 540};
        StoredPlacementTest::prepareFolder();
    }
};

} // namespace

TEST_P(Unreachable, isMovedWhollyOntoTheDesktopAtTheWindowsSize)
{
    const platform::Rect outer = window.windowRect();
    const platform::Rect desktop = window.desktopRect();
    EXPECT_EQ(platform::intersect(outer, desktop), outer) << "the whole window is on the desktop";
    EXPECT_EQ(window.clientSize().width, 639);
    EXPECT_EQ(window.clientSize().height, 479);
    EXPECT_FALSE(window.isTopmost()) << "the stored stacking still holds";
    EXPECT_FALSE(window.menu().isChecked(command::AlwaysOnTop));
}

TEST_F(OnScreen, aVisibleRectangleKeepsItsPosition)
{
    EXPECT_EQ(window.windowRect().left, 60);
    EXPECT_EQ(window.windowRect().top, 40);
    EXPECT_EQ(window.clientSize().width, 639);
    EXPECT_EQ(window.clientSize().height, 479);
    EXPECT_TRUE(window.isTopmost());
}

using RepaintTest = GameWindowTest;

TEST_F(RepaintTest, aRiseTickCopiesOnlyTheChangedReadoutOntoTheScreen)
{
    startGame();
    timer(101);
    window.paintNow();
    const std::int64_t before = window.screen().copiedPixels();
    timer(101);
    window.paintNow();
    constexpr std::int64_t fourDigitCells = 4 * 15 * 26;
    EXPECT_EQ(window.screen().copiedPixels() - before, fourDigitCells) << "only the stage-remaining digits";
}

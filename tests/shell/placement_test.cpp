#include "tests/shell/game_window.h"

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

class OffScreen : public StoredPlacementTest {
protected:
    void prepareFolder() override
    {
        stored.alwaysOnTop = 0;
        stored.windowRect = {5000, 4000, 5644, 4504};
        StoredPlacementTest::prepareFolder();
    }
};

class OnScreen : public StoredPlacementTest {
protected:
    void prepareFolder() override
    {
        stored.windowRect = {60, 40, 700, 540};
        StoredPlacementTest::prepareFolder();
    }
};

} // namespace

TEST_F(OffScreen, aRectangleOffTheDesktopIsMovedOntoItAtTheWindowsSize)
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

#include "platform/clock.h"
#include "platform/screen_overlay.h"
#include "platform/window.h"
#include "resources/menu.h"
#include "shell/main_window.h"
#include "shell/title_show.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The glyph of phase p is painted red 10 p + 5, logo frame k blue 10 k + 5,
// so that a pixel tells which one was drawn.
int phaseAt(const platform::Surface& screen, platform::Point cells, int index)
{
    const platform::Colour c = screen.pixel(cells.x + displayPitch * index + 7, cells.y + 13);
    return c.g == 0 && c.b == 0 && c.r % 10 == 5 ? (c.r - 5) / 10 : -1;
}

int logoAtScreen(const platform::Surface& screen)
{
    const platform::Colour c = screen.pixel(logoAt.x + 17, logoAt.y + 12);
    return c.r == 0 && c.g == 0 && c.b % 10 == 5 ? (c.b - 5) / 10 : -1;
}

class TitleShowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        folder_ = fs::temp_directory_path() / ("tamaro-title-" + std::to_string(getpid()));
        fs::create_directories(folder_);
        fs::current_path(folder_);
        platform::Clock::instance().simulate(1765432100);
        window.create(windowTitle, mainMenu, "TM_ICON");

        platform::Surface sheet(468, 83);
        for (int p = 0; p < phaseCount; ++p)
            sheet.fillRect(
                platform::Rect{phaseGlyphX + 15 * p, phaseGlyphY, phaseGlyphX + 15 * p + 15, phaseGlyphY + 26},
                platform::Brush{platform::rgb(10 * p + 5, 0, 0)});
        program.canvas.sprites = std::move(sheet);
        platform::Surface frames(701, 25);
        for (int k = 0; k < logoFrameCount; ++k)
            frames.fillRect(platform::Rect{35 * k, 0, 35 * k + 35, 25},
                            platform::Brush{platform::rgb(0, 0, 10 * k + 5)});
        program.game->title.logoFrames = std::move(frames);
    }

    void TearDown() override
    {
        program.game.reset();
        platform::Clock::instance().useRealTime();
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    TitleAnimation& animation() { return program.game->title.animation; }
    void tick() { window.send(platform::Message{platform::MessageKind::Timer, timerId(GameTimer::Title), 0, {}}); }
    void command(int id)
    {
        window.send(platform::Message{platform::MessageKind::Command, static_cast<std::uint32_t>(id), 0, {}});
    }

    struct Shown {
        std::array<int, 10> score{};
        std::array<int, 4> rows{};
        std::array<int, 4> leftTime{};
        std::array<int, 4> rightTime{};
        int logo = -1;
        bool operator==(const Shown&) const = default;
    };

    Shown shown()
    {
        const platform::Surface& screen = window.screen();
        Shown s;
        for (int i = 0; i < 10; ++i)
            s.score[static_cast<std::size_t>(i)] = phaseAt(screen, scoreCellsAt, i);
        for (int i = 0; i < 4; ++i) {
            s.rows[static_cast<std::size_t>(i)] = phaseAt(screen, rowsCellsAt, i);
            s.leftTime[static_cast<std::size_t>(i)] = phaseAt(screen, leftTimeAt, i);
            s.rightTime[static_cast<std::size_t>(i)] = phaseAt(screen, rightTimeAt, i);
        }
        s.logo = logoAtScreen(screen);
        return s;
    }

    fs::path previous_;
    fs::path folder_;
    Program program;
    platform::Window window{procedureFor(program)};
};

TEST_F(TitleShowTest, theFirstTickDrawsTheWaveOnTheWindowOnlyAndSevenTicksComeBackToIt)
{
    const std::vector<platform::Colour> before{program.canvas.backBuffer.pixel(477, 63),
                                               program.canvas.backBuffer.pixel(477, 133),
                                               program.canvas.backBuffer.pixel(489, 379)};
    tick();
    const Shown first = shown();
    EXPECT_EQ(first.score, (std::array<int, 10>{0, 1, 2, 3, 4, 4, 3, 2, 1, 0}));
    EXPECT_EQ(first.rows, (std::array<int, 4>{0, 1, 1, 0}));
    EXPECT_EQ(first.leftTime, (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(first.rightTime, (std::array<int, 4>{5, 4, 3, 2}));
    EXPECT_EQ(first.logo, 0);
    const std::vector<platform::Colour> after{program.canvas.backBuffer.pixel(477, 63),
                                              program.canvas.backBuffer.pixel(477, 133),
                                              program.canvas.backBuffer.pixel(489, 379)};
    EXPECT_EQ(after, before);

    tick();
    EXPECT_EQ(shown().score, (std::array<int, 10>{1, 2, 3, 4, 5, 5, 4, 3, 2, 1}));
    for (int i = 3; i <= 7; ++i)
        tick();
    const TitleAnimation start;
    EXPECT_EQ(animation().digitPhases, start.digitPhases);
    EXPECT_EQ(animation().cellPhases, start.cellPhases);
    tick();
    Shown eighth = shown();
    EXPECT_EQ(eighth.score, first.score);
    EXPECT_EQ(eighth.rows, first.rows);
    EXPECT_EQ(eighth.leftTime, first.leftTime);
    EXPECT_EQ(eighth.rightTime, first.rightTime);
}

TEST_F(TitleShowTest, theLogoTurnsThereAndBackInThirtyEightTicks)
{
    std::vector<int> frames;
    for (int i = 0; i < 39; ++i) {
        tick();
        frames.push_back(shown().logo);
    }
    std::vector<int> expected;
    for (int k = 0; k < 20; ++k)
        expected.push_back(k);
    for (int k = 18; k >= 1; --k)
        expected.push_back(k);
    expected.push_back(0);
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(animation().logoFrame, 1);
    EXPECT_TRUE(animation().logoForward);
}

TEST_F(TitleShowTest, aGameInMidCycleLeavesTheAnimationWhereItStopped)
{
    for (int i = 0; i < 24; ++i)
        tick();
    const TitleAnimation stopped = animation();
    command(command::Start);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Title)), 0);
    command(command::Restart);
    EXPECT_EQ(window.timerPeriod(timerId(GameTimer::Title)), titleTickMs);
    EXPECT_EQ(animation().digitPhases, stopped.digitPhases);
    EXPECT_EQ(animation().logoFrame, stopped.logoFrame);
    EXPECT_EQ(animation().logoForward, stopped.logoForward);

    tick();
    const Shown resumed = shown();
    EXPECT_EQ(resumed.logo, 24 % 38 <= 19 ? 24 : 38 - 24);
    EXPECT_EQ(resumed.score[0], stopped.digitPhases[0]);
    EXPECT_EQ(resumed.score[4], stopped.digitPhases[4]);
    EXPECT_EQ(resumed.rows[1], stopped.cellPhases[1]);
}

TEST_F(TitleShowTest, aRepaintShowsTheBackBufferUntilTheNextTick)
{
    tick();
    tick();
    const Shown drawn = shown();
    const platform::Rect area{460, 40, 639, 410};
    window.invalidate(area);
    window.paintNow();
    const platform::Surface& screen = window.screen();
    for (int y = area.top; y < area.bottom; y += 3)
        for (int x = area.left; x < area.right; x += 3)
            ASSERT_EQ(screen.pixel(x, y), program.canvas.backBuffer.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(shown().score[0], -1);
    EXPECT_EQ(shown().logo, -1);

    tick();
    const Shown next = shown();
    EXPECT_EQ(next.score[0], (drawn.score[0] + 1) % phaseCount);
    EXPECT_EQ(next.logo, drawn.logo + 1);
}

// Cells whose picture does not change are left alone, a cell that changes in
// part is copied in part, and a repaint makes the next tick draw everything.
TEST_F(TitleShowTest, aTickCopiesToTheScreenOnlyThePartsOfCellsThatChange)
{
    // Phase 2 looks like phase 1, phase 3 differs from it in one pixel away
    // from the probe; logo frames 0 and 1 are the same picture.
    platform::Surface& sheet = program.canvas.sprites;
    const int glyph1 = phaseGlyphX + 15;
    sheet.copyFrom(glyph1 + 15, phaseGlyphY, 15, 26, sheet, glyph1, phaseGlyphY);
    sheet.copyFrom(glyph1 + 30, phaseGlyphY, 15, 26, sheet, glyph1, phaseGlyphY);
    sheet.setPixel(glyph1 + 30 + 2, phaseGlyphY + 3, platform::rgb(1, 2, 3));
    platform::Surface& frames = program.game->title.logoFrames;
    frames.copyFrom(35, 0, 35, 25, frames, 0, 0);

    constexpr std::int64_t cell = 15 * 26;
    constexpr std::int64_t logo = 35 * 25;
    const platform::Surface& screen = window.screen();
    std::int64_t before = screen.copiedPixels();
    tick();
    EXPECT_EQ(screen.copiedPixels() - before, 22 * cell + logo);

    before = screen.copiedPixels();
    tick();
    // Score 0..4,4..0 to 1..5,5..1: 1->2 is no change, 2->3 one pixel, the rest whole.
    // Rows 0,1,1,0 to 1,2,2,1. Times 1,2,3,4 to 2,3,4,5 and 5,4,3,2 to 6,5,4,3. Logo 0 to 1.
    const std::int64_t score = 6 * cell + 2;
    const std::int64_t rows = 2 * cell;
    const std::int64_t times = (2 * cell + 1) + (3 * cell + 1);
    EXPECT_EQ(screen.copiedPixels() - before, score + rows + times);
    // What was left alone is still right.
    const auto showsGlyph = [&](platform::Point cells, int index, int phase) {
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 15; ++x)
                if (screen.pixel(cells.x + displayPitch * index + x, cells.y + y)
                    != sheet.pixel(phaseGlyphX + 15 * phase + x, phaseGlyphY + y))
                    return false;
        return true;
    };
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(showsGlyph(scoreCellsAt, i,
                               animation().digitPhases[static_cast<std::size_t>(i)] == 0
                                   ? 6
                                   : animation().digitPhases[static_cast<std::size_t>(i)] - 1))
            << i;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(showsGlyph(leftTimeAt, i, animation().digitPhases[static_cast<std::size_t>(i)])) << i;
        EXPECT_TRUE(showsGlyph(rightTimeAt, i, animation().digitPhases[static_cast<std::size_t>(5 + i)])) << i;
    }
    EXPECT_EQ(logoAtScreen(screen), 0);

    window.invalidate(platform::Rect{460, 40, 639, 410});
    window.paintNow();
    before = screen.copiedPixels();
    tick();
    EXPECT_EQ(screen.copiedPixels() - before, 22 * cell + logo);
}

TEST_F(TitleShowTest, theStartUpEffectDrawsSeventySevenOutlinesClosingIn)
{
    // Window creation ran the effect; the offscreen desktop is smaller than
    // 760 pixels high, so the later outlines have passed the centre.
    const auto& outlines = platform::ScreenOverlay::lastOutlines();
    ASSERT_EQ(outlines.size(), 77u);
    const platform::Rect desktop = window.desktopRect();
    EXPECT_EQ(outlines.front().rect, desktop);
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        const int step = static_cast<int>(i);
        EXPECT_EQ(outlines[i].colour, platform::rgb(0, 3 * step, 0));
        EXPECT_EQ(outlines[i].shownAtMs, 10 * step);
        const platform::Rect r = outlines[i].rect;
        EXPECT_LE(r.left, r.right);
        EXPECT_LE(r.top, r.bottom);
        EXPECT_TRUE(r.left == desktop.left + 5 * step || r.right == desktop.left + 5 * step) << step;
        EXPECT_TRUE(r.top == desktop.top + 5 * step || r.bottom == desktop.top + 5 * step) << step;
    }
    std::vector<int> waits(platform::Clock::instance().pauses().begin(),
                           platform::Clock::instance().pauses().begin() + 77);
    EXPECT_EQ(waits, std::vector<int>(77, 10));
    // The last outline has its full step before the desktop comes back.
    EXPECT_GE(platform::Clock::instance().simulatedMs(), outlines.back().shownAtMs + 10);
}

} // namespace

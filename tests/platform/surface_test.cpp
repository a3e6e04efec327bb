#include "tests/platform/surface_checks.h"

using namespace surfacecheck;

TEST(Surface, NewSurfaceIsBlackWithTheDefaultDrawingState)
{
    const Surface surface(30, 20);
    EXPECT_FALSE(surface.isEmpty());
    EXPECT_EQ(surface.bounds(), (Rect{0, 0, 30, 20}));
    EXPECT_EQ(count(surface, black), 30 * 20);
    EXPECT_EQ(surface.pen(), stock::blackPen);
    EXPECT_EQ(surface.brush(), stock::whiteBrush);
    EXPECT_EQ(surface.font(), nullptr);
    EXPECT_EQ(surface.textColour(), black);
    EXPECT_EQ(surface.backgroundMode(), BackgroundMode::Opaque);
    EXPECT_EQ(surface.copiedPixels(), 0);
}

TEST(Surface, SelectingReturnsWhatWasSelectedBefore)
{
    Surface surface(4, 4);
    EXPECT_EQ(surface.selectPen(stock::nullPen), stock::blackPen);
    EXPECT_EQ(surface.selectPen(stock::whitePen), stock::nullPen);
    EXPECT_EQ(surface.selectBrush(stock::hollowBrush), stock::whiteBrush);
    EXPECT_EQ(surface.setTextColour(red), black);
    EXPECT_EQ(surface.setBackgroundColour(green), white);
    EXPECT_EQ(surface.setBackgroundMode(BackgroundMode::Transparent), BackgroundMode::Opaque);
    EXPECT_EQ(surface.pen(), stock::whitePen);
    EXPECT_EQ(surface.brush(), stock::hollowBrush);
    EXPECT_EQ(surface.textColour(), red);
}

TEST(Surface, EmptyAndOutsidePixelsReadBlackAndIgnoreWrites)
{
    Surface empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(Surface(0, 5).isEmpty());
    EXPECT_TRUE(Surface(5, -1).isEmpty());
    empty.setPixel(0, 0, white);
    empty.fillRect(Rect{0, 0, 10, 10}, stock::whiteBrush);
    empty.rectangle(Rect{0, 0, 10, 10});
    empty.line(Point{0, 0}, Point{5, 5});
    empty.textOut(0, 0, "A");
    EXPECT_EQ(empty.pixel(0, 0), black);

    Surface surface = filled(3, 3, white);
    surface.setPixel(-1, 0, red);
    surface.setPixel(3, 0, red);
    surface.setPixel(0, 3, red);
    EXPECT_EQ(count(surface, white), 9);
    EXPECT_EQ(surface.pixel(-1, 0), black);
    EXPECT_EQ(surface.pixel(0, 3), black);
    surface.setPixel(2, 2, red);
    EXPECT_EQ(surface.pixel(2, 2), red);

    surface.release();
    EXPECT_TRUE(surface.isEmpty());
    EXPECT_EQ(surface.pixel(2, 2), black);
}

TEST(Surface, MovedFromSurfaceIsEmptyAndUsable)
{
    Surface first = filled(5, 5, red);
    Surface second = std::move(first);
    EXPECT_EQ(second.pixel(4, 4), red);
    EXPECT_TRUE(first.isEmpty());
    first.fillRect(Rect{0, 0, 2, 2}, stock::whiteBrush);
    EXPECT_EQ(first.pixel(0, 0), black);
}

TEST(Surface, MissingPictureGivesAnEmptySurface)
{
    EXPECT_TRUE(Surface::fromPicture("NO_SUCH_PICTURE").isEmpty());
    EXPECT_TRUE(Surface::fromPicture("").isEmpty());
}

TEST(Surface, FillRectCoversLeftTopInclusiveRightBottomExclusive)
{
    Surface surface(40, 40);
    surface.fillRect(Rect{10, 10, 20, 20}, stock::whiteBrush);
    EXPECT_EQ(paintedBox(surface, black), (Rect{10, 10, 20, 20}));
    EXPECT_EQ(count(surface, white), 100);

    surface.fillRect(Rect{30, 30, 30, 35}, Brush{red});
    surface.fillRect(Rect{25, 25, 20, 20}, Brush{red});
    surface.fillRect(Rect{0, 0, 40, 40}, stock::hollowBrush);
    EXPECT_EQ(count(surface, red), 0);
    EXPECT_EQ(count(surface, white), 100);
}

TEST(Surface, FillRectClipsToTheSurface)
{
    Surface surface(10, 10);
    surface.fillRect(Rect{-5, -5, 3, 2}, Brush{red});
    surface.fillRect(Rect{8, 7, 100, 100}, Brush{green});
    surface.fillRect(Rect{INT_MIN, 4, INT_MAX, 5}, stock::whiteBrush);
    EXPECT_EQ(count(surface, red), 6);
    EXPECT_EQ(surface.pixel(2, 1), red);
    EXPECT_EQ(count(surface, green), 6);
    EXPECT_EQ(surface.pixel(9, 9), green);
    EXPECT_EQ(count(surface, white), 10);
}

TEST(Surface, CopyClipsToBothSurfacesAndCountsWhatItCopied)
{
    Surface source = filled(10, 10, red);
    source.fillRect(Rect{0, 0, 10, 1}, Brush{green});
    Surface target(20, 20);
    target.copyFrom(3, 4, 5, 6, source, 0, 0);
    EXPECT_EQ(paintedBox(target, black), (Rect{3, 4, 8, 10}));
    EXPECT_EQ(target.pixel(3, 4), green);
    EXPECT_EQ(target.pixel(7, 9), red);
    EXPECT_EQ(target.copiedPixels(), 30);

    // Beyond the source's right and bottom edges nothing is copied.
    target.copyFrom(0, 12, 20, 20, source, 6, 8);
    EXPECT_EQ(target.copiedPixels(), 30 + 4 * 2);
    EXPECT_EQ(target.pixel(3, 12), red);
    EXPECT_EQ(target.pixel(4, 12), black);
    // A negative source origin moves the destination with it.
    target.copyFrom(15, 0, 10, 10, source, -2, -1);
    EXPECT_EQ(target.pixel(17, 1), green);
    EXPECT_EQ(target.pixel(16, 1), black);
    EXPECT_EQ(target.pixel(17, 0), black);
    EXPECT_EQ(target.copiedPixels(), 38 + 3 * 9);
    // Past the destination's edges, and from nothing.
    target.copyFrom(-5, -5, 3, 3, source, 0, 0);
    target.copyFrom(0, 0, 5, 5, Surface(), 0, 0);
    target.copyFrom(0, 0, 0, 5, source, 0, 0);
    EXPECT_EQ(target.copiedPixels(), 65);
}

TEST(Surface, CopyWithinOneSurfaceHandlesOverlap)
{
    Surface surface(10, 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x)
            surface.setPixel(x, y, rgb(x * 20, y * 20, 0));
    }
    surface.copyFrom(2, 3, 6, 6, surface, 1, 1);
    EXPECT_EQ(surface.pixel(2, 3), rgb(20, 20, 0));
    EXPECT_EQ(surface.pixel(7, 8), rgb(120, 120, 0));
    surface.copyFrom(0, 0, 8, 8, surface, 2, 3);
    EXPECT_EQ(surface.pixel(0, 0), rgb(20, 20, 0));
    EXPECT_EQ(surface.pixel(5, 5), rgb(120, 120, 0));
}

TEST(Surface, ListenerHearsTheClippedRectangleOfEveryChange)
{
    Surface source(4, 4);
    Surface surface(20, 20);
    std::vector<Rect> heard;
    surface.setChangeListener([&heard](const Rect& rect) { heard.push_back(rect); });

    surface.fillRect(Rect{-3, 2, 5, 4}, stock::whiteBrush);
    surface.rectangle(Rect{15, 15, 25, 25});
    surface.roundRect(Rect{1, 1, 9, 9}, 4, 4);
    surface.line(Point{2, 10}, Point{6, 12});
    const std::array<Point, 3> triangle{{{10, 0}, {14, 0}, {10, 4}}};
    surface.polygon(triangle);
    surface.copyFrom(18, 1, 4, 4, source, 0, 0);
    surface.setPixel(0, 19, red);
    surface.textOut(2, 14, "A");
    ASSERT_EQ(heard.size(), 8u);
    EXPECT_EQ(heard[0], (Rect{0, 2, 5, 4}));
    EXPECT_EQ(heard[1], (Rect{15, 15, 20, 20}));
    EXPECT_EQ(heard[2], (Rect{1, 1, 9, 9}));
    EXPECT_EQ(heard[3], (Rect{2, 10, 6, 13}));
    EXPECT_EQ(heard[4], (Rect{10, 0, 15, 5}));
    EXPECT_EQ(heard[5], (Rect{18, 1, 20, 5}));
    EXPECT_EQ(heard[6], (Rect{0, 19, 1, 20}));
    EXPECT_EQ(heard[7], (Rect{2, 14, 8, 20}));

    // Nothing changed, nothing heard.
    surface.fillRect(Rect{30, 30, 40, 40}, stock::whiteBrush);
    surface.fillRect(Rect{0, 0, 5, 5}, stock::hollowBrush);
    surface.line(Point{1, 1}, Point{1, 1});
    surface.copyFrom(0, 0, 4, 4, source, 10, 10);
    surface.setPixel(20, 0, red);
    EXPECT_EQ(heard.size(), 8u);
}

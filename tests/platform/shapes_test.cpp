#include "tests/platform/surface_checks.h"

using namespace surfacecheck;

TEST(Surface, RectangleOutlinesItsEdgePixelsAndFillsInside)
{
    Surface surface = filled(40, 40, green);
    surface.selectPen(Pen{red});
    surface.selectBrush(stock::whiteBrush);
    surface.rectangle(Rect{10, 10, 20, 20});
    EXPECT_EQ(paintedBox(surface, green), (Rect{10, 10, 20, 20}));
    for (int i = 10; i < 20; ++i) {
        EXPECT_EQ(surface.pixel(i, 10), red);
        EXPECT_EQ(surface.pixel(i, 19), red);
        EXPECT_EQ(surface.pixel(10, i), red);
        EXPECT_EQ(surface.pixel(19, i), red);
    }
    EXPECT_EQ(count(surface, red), 36);
    EXPECT_EQ(count(surface, white), 64);
}

TEST(Surface, RectangleWithNullPenOrHollowBrush)
{
    Surface surface = filled(40, 40, green);
    surface.selectPen(stock::nullPen);
    surface.selectBrush(Brush{red});
    surface.rectangle(Rect{10, 10, 20, 20});
    EXPECT_EQ(paintedBox(surface, green), (Rect{10, 10, 20, 20}));
    EXPECT_EQ(count(surface, red), 100);

    surface.selectPen(stock::whitePen);
    surface.selectBrush(stock::hollowBrush);
    surface.rectangle(Rect{0, 0, 40, 40});
    EXPECT_EQ(count(surface, white), 4 * 39);
    EXPECT_EQ(count(surface, red), 100);
    EXPECT_EQ(surface.pixel(1, 1), green);
}

TEST(Surface, RectangleAcceptsCornersInAnyOrderAndClips)
{
    Surface surface(20, 20);
    surface.selectPen(stock::whitePen);
    surface.selectBrush(stock::hollowBrush);
    // Outlines closing in past each other, as the start-up effect draws them.
    surface.rectangle(Rect{15, 12, 5, 2});
    EXPECT_EQ(paintedBox(surface, black), (Rect{5, 2, 15, 12}));
    EXPECT_EQ(count(surface, white), 2 * 10 + 2 * 8);

    Surface clipped(20, 20);
    clipped.selectPen(stock::whitePen);
    clipped.selectBrush(Brush{red});
    clipped.rectangle(Rect{-5, 10, 10, 30});
    EXPECT_EQ(paintedBox(clipped, black), (Rect{0, 10, 10, 20}));
    EXPECT_EQ(clipped.pixel(9, 15), white);
    EXPECT_EQ(clipped.pixel(0, 10), white);
    EXPECT_EQ(clipped.pixel(0, 15), red);
    EXPECT_EQ(clipped.pixel(8, 19), red);
}

TEST(Surface, RoundRectCutsItsCornersSymmetrically)
{
    // The side panel's chart frame.
    const Rect frame{25, 20, 162, 320};
    Surface surface = filled(200, 340, green);
    surface.selectPen(stock::whitePen);
    surface.selectBrush(stock::blackBrush);
    surface.roundRect(frame, 20, 20);

    EXPECT_EQ(paintedBox(surface, green), frame);
    for (const Point corner :
         {Point{25, 20}, Point{161, 20}, Point{25, 319}, Point{161, 319}, Point{26, 21}, Point{160, 318}})
        EXPECT_EQ(surface.pixel(corner.x, corner.y), green) << corner.x << "," << corner.y;
    // Straight edges between the corners lie on the rectangle's edge pixels.
    EXPECT_EQ(surface.pixel(93, 20), white);
    EXPECT_EQ(surface.pixel(93, 319), white);
    EXPECT_EQ(surface.pixel(25, 170), white);
    EXPECT_EQ(surface.pixel(161, 170), white);
    EXPECT_EQ(surface.pixel(26, 170), black);
    // A quarter circle of radius 10: the top row starts 7 pixels in, the side 7 rows down.
    EXPECT_EQ(surface.pixel(31, 20), green);
    EXPECT_EQ(surface.pixel(32, 20), white);
    EXPECT_EQ(surface.pixel(25, 26), green);
    EXPECT_EQ(surface.pixel(25, 27), white);

    for (int y = frame.top; y < frame.bottom; ++y) {
        for (int x = frame.left; x < frame.right; ++x) {
            const int mx = frame.left + frame.right - 1 - x;
            const int my = frame.top + frame.bottom - 1 - y;
            ASSERT_EQ(surface.pixel(x, y), surface.pixel(mx, y)) << x << "," << y;
            ASSERT_EQ(surface.pixel(x, y), surface.pixel(x, my)) << x << "," << y;
        }
    }
}

TEST(Surface, RoundRectOutlineIsOneConnectedLineAndTheFillStaysInsideIt)
{
    const Rect body{8, 6, 60, 40};
    Surface surface = filled(70, 50, green);
    surface.selectPen(Pen{red});
    surface.selectBrush(stock::whiteBrush);
    surface.roundRect(body, 20, 20);

    // The outline is one 8-connected ring.
    const std::vector<Point> ring = region(surface, Point{30, 6}, true);
    EXPECT_EQ(static_cast<int>(ring.size()), count(surface, red));
    // Every outline pixel touches the outside or lies on the rectangle's edge,
    // so the line is one pixel wide.
    for (const Point p : ring) {
        const bool onEdge = p.x == body.left || p.x == body.right - 1 || p.y == body.top || p.y == body.bottom - 1;
        const bool touchesOutside = surface.pixel(p.x - 1, p.y) == green || surface.pixel(p.x + 1, p.y) == green
                                    || surface.pixel(p.x, p.y - 1) == green || surface.pixel(p.x, p.y + 1) == green;
        EXPECT_TRUE(onEdge || touchesOutside) << p.x << "," << p.y;
    }
    // The fill is one region, closed in by the outline: it never touches the outside.
    const std::vector<Point> inside = region(surface, Point{30, 20}, false);
    EXPECT_EQ(static_cast<int>(inside.size()), count(surface, white));
    for (const Point p : inside) {
        for (const Point q : {Point{p.x - 1, p.y}, Point{p.x + 1, p.y}, Point{p.x, p.y - 1}, Point{p.x, p.y + 1}})
            EXPECT_NE(surface.pixel(q.x, q.y), green) << p.x << "," << p.y;
    }
    // Whatever lies outside the shape is untouched and one with the surroundings.
    EXPECT_EQ(static_cast<int>(region(surface, Point{0, 0}, false).size()), count(surface, green));
}

TEST(Surface, RoundRectClampsItsEllipseAndDegeneratesToARectangle)
{
    Surface wide(30, 30);
    wide.selectPen(stock::whitePen);
    wide.selectBrush(Brush{red});
    wide.roundRect(Rect{0, 0, 10, 6}, 20, 20);
    EXPECT_EQ(paintedBox(wide, black), (Rect{0, 0, 10, 6}));
    EXPECT_EQ(wide.pixel(0, 0), black);
    EXPECT_EQ(wide.pixel(0, 3), white);
    EXPECT_EQ(wide.pixel(5, 0), white);

    Surface square(30, 30);
    square.selectPen(stock::whitePen);
    square.selectBrush(Brush{red});
    square.roundRect(Rect{5, 5, 15, 15}, 0, 0);
    Surface plain(30, 30);
    plain.selectPen(stock::whitePen);
    plain.selectBrush(Brush{red});
    plain.rectangle(Rect{5, 5, 15, 15});
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(square.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
    }
}

TEST(Surface, RoundRectWithNullPenFillsTheWholeShape)
{
    Surface surface = filled(40, 40, green);
    surface.selectPen(stock::nullPen);
    surface.selectBrush(Brush{red});
    surface.roundRect(Rect{0, 0, 40, 40}, 20, 20);
    EXPECT_EQ(surface.pixel(0, 0), green);
    EXPECT_EQ(surface.pixel(20, 0), red);
    EXPECT_EQ(surface.pixel(0, 20), red);
    EXPECT_EQ(surface.pixel(39, 20), red);
    EXPECT_EQ(count(surface, red) + count(surface, green), 1600);
}

TEST(Surface, LineLeavesOutItsEndPoint)
{
    Surface surface(10, 10);
    surface.selectPen(stock::whitePen);
    surface.line(Point{0, 0}, Point{5, 0});
    EXPECT_EQ(paintedBox(surface, black), (Rect{0, 0, 5, 1}));

    surface.selectPen(Pen{red});
    surface.line(Point{5, 2}, Point{0, 2});
    EXPECT_EQ(surface.pixel(5, 2), red);
    EXPECT_EQ(surface.pixel(1, 2), red);
    EXPECT_EQ(surface.pixel(0, 2), black);

    surface.selectPen(Pen{green});
    surface.line(Point{9, 3}, Point{9, 9});
    EXPECT_EQ(surface.pixel(9, 3), green);
    EXPECT_EQ(surface.pixel(9, 8), green);
    EXPECT_EQ(surface.pixel(9, 9), black);
    EXPECT_EQ(count(surface, green), 6);
}

TEST(Surface, LineStepsDiagonallyAndDrawsNothingForOnePoint)
{
    Surface surface(10, 10);
    surface.selectPen(stock::whitePen);
    surface.line(Point{4, 4}, Point{4, 4});
    EXPECT_EQ(count(surface, white), 0);

    surface.line(Point{0, 0}, Point{4, 4});
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(surface.pixel(i, i), white);
    EXPECT_EQ(count(surface, white), 4);

    // A shallow line: one pixel per column, rising by one row over the middle.
    Surface shallow(10, 10);
    shallow.selectPen(stock::whitePen);
    shallow.line(Point{0, 0}, Point{8, 2});
    EXPECT_EQ(count(shallow, white), 8);
    for (int x = 0; x < 8; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 10; ++y)
            inColumn += shallow.pixel(x, y) == white;
        EXPECT_EQ(inColumn, 1) << x;
    }
    EXPECT_EQ(shallow.pixel(0, 0), white);
    EXPECT_EQ(shallow.pixel(7, 2), white);

    shallow.selectPen(stock::nullPen);
    shallow.line(Point{0, 9}, Point{9, 9});
    EXPECT_EQ(count(shallow, white), 8);
}

TEST(Surface, LineClipsToTheSurface)
{
    Surface surface(10, 10);
    surface.selectPen(stock::whitePen);
    surface.line(Point{-1000, 5}, Point{1000, 5});
    EXPECT_EQ(paintedBox(surface, black), (Rect{0, 5, 10, 6}));
    surface.line(Point{-20, -20}, Point{-5, 30});
    surface.line(Point{20, 0}, Point{20, 9});
    EXPECT_EQ(count(surface, white), 10);
}

TEST(Surface, PolygonFillsPixelCentresInsideThenOutlinesWithThePen)
{
    const std::array<Point, 4> square{{{2, 2}, {8, 2}, {8, 8}, {2, 8}}};
    Surface fillOnly(12, 12);
    fillOnly.selectPen(stock::nullPen);
    fillOnly.selectBrush(Brush{red});
    fillOnly.polygon(square);
    EXPECT_EQ(paintedBox(fillOnly, black), (Rect{2, 2, 8, 8}));
    EXPECT_EQ(count(fillOnly, red), 36);

    Surface outlined(12, 12);
    outlined.selectPen(stock::whitePen);
    outlined.selectBrush(Brush{red});
    outlined.polygon(square);
    EXPECT_EQ(paintedBox(outlined, black), (Rect{2, 2, 9, 9}));
    EXPECT_EQ(count(outlined, white), 24);
    EXPECT_EQ(count(outlined, red), 25);
    EXPECT_EQ(outlined.pixel(8, 8), white);

    Surface hollow(12, 12);
    hollow.selectPen(stock::whitePen);
    hollow.selectBrush(stock::hollowBrush);
    hollow.polygon(square);
    EXPECT_EQ(count(hollow, white), 24);
    EXPECT_EQ(hollow.pixel(5, 5), black);
}

TEST(Surface, PolygonFillsByTheEvenOddRule)
{
    // A five-pointed star drawn in one stroke: its middle is enclosed twice.
    const std::array<Point, 5> star{{{20, 0}, {32, 38}, {0, 14}, {40, 14}, {8, 38}}};
    Surface surface(41, 41);
    surface.selectPen(stock::nullPen);
    surface.selectBrush(stock::whiteBrush);
    surface.polygon(star);
    EXPECT_EQ(surface.pixel(20, 22), black);
    EXPECT_EQ(surface.pixel(20, 6), white);
    EXPECT_EQ(surface.pixel(4, 15), white);
    EXPECT_EQ(surface.pixel(30, 33), white);
}

TEST(Surface, BalloonTailJoinsItsBody)
{
    // The speech balloon: body, tail, then a white line over the outline between them.
    Surface surface = filled(640, 440, green);
    surface.selectPen(stock::blackPen);
    surface.selectBrush(stock::whiteBrush);
    surface.roundRect(Rect{468, 407, 480 + 120, 424 + 10}, 20, 20);
    const std::array<Point, 3> tail{{{483, 398}, {483, 407}, {478, 407}}};
    surface.polygon(tail);
    surface.selectPen(stock::whitePen);
    surface.line(Point{478, 407}, Point{484, 407});

    EXPECT_EQ(surface.pixel(483, 398), black);
    EXPECT_EQ(surface.pixel(482, 403), white);
    EXPECT_EQ(surface.pixel(483, 403), black);
    EXPECT_EQ(surface.pixel(477, 406), green);
    EXPECT_EQ(surface.pixel(484, 403), green);
    for (int x = 478; x < 484; ++x)
        EXPECT_EQ(surface.pixel(x, 407), white) << x;
    EXPECT_EQ(surface.pixel(484, 407), black);
    EXPECT_EQ(surface.pixel(468, 407), green);
    EXPECT_EQ(surface.pixel(468, 420), black);
    EXPECT_EQ(surface.pixel(599, 433), green);
    EXPECT_EQ(surface.pixel(540, 433), black);
    EXPECT_EQ(surface.pixel(540, 434), green);
}

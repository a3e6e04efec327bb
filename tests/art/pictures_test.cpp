#include "picture_test_support.h"

#include <array>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

using art_test::describe;
using art_test::isBlack;
using art_test::isLitYellow;
using platform::Colour;
using platform::Surface;

namespace {

struct Box {
    int x0, y0, x1, y1; // inclusive
};

// The black interiors of the readout boxes of the background.
constexpr Box scoreBox{467, 47, 631, 78};
constexpr Box rowsBox{467, 117, 537, 148};
constexpr Box stockBox{467, 187, 622, 249};
constexpr Box timeBox{467, 287, 613, 318};
constexpr Box nextBox{467, 357, 511, 401};

// The two time readouts are drawn at x 470..533 and 550..613; the slash lies between.
constexpr int slashFrom = 534, slashTo = 549;

const Surface& sprites()
{
    static const Surface s = Surface::fromPicture("ID_BITMAP1");
    return s;
}

const Surface& background()
{
    static const Surface s = Surface::fromPicture("ID_BITMAP2");
    return s;
}

// Pixels of the 15 x 26 display glyph g (0..9 digits, 10 unlit, 11..16 lighting steps).
std::vector<Colour> glyph(int g)
{
    std::vector<Colour> out;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 15; ++x)
            out.push_back(sprites().pixel(15 * g + x, 39 + y));
    return out;
}

std::set<int> litPixels(int g)
{
    std::set<int> lit;
    const auto px = glyph(g);
    for (int i = 0; i < static_cast<int>(px.size()); ++i)
        if (isLitYellow(px[i]))
            lit.insert(i);
    return lit;
}

} // namespace

TEST(Pictures, everyPictureHasItsSize)
{
    const std::array<std::tuple<const char*, int, int>, 6> sizes{{{"ID_BITMAP1", 468, 83},
                                                                  {"ID_BITMAP2", 640, 480},
                                                                  {"ID_BITMAP3", 60, 80},
                                                                  {"ID_BITMAP4", 701, 25},
                                                                  {"TM_ICON_32", 32, 32},
                                                                  {"TM_ICON_16", 16, 16}}};
    for (const auto& [name, w, h] : sizes) {
        const Surface s = Surface::fromPicture(name);
        ASSERT_FALSE(s.isEmpty()) << name;
        EXPECT_EQ(s.width(), w) << name;
        EXPECT_EQ(s.height(), h) << name;
    }
}

TEST(Pictures, theSixteenPixelIconIsDrawnInThreeColours)
{
    // A picture scaled down to 16 pixels has dozens of blended colours; one
    // drawn for the size has its few, plus the transparent corners (black here).
    const Surface icon = Surface::fromPicture("TM_ICON_16");
    std::set<std::tuple<int, int, int>> colours;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            const Colour c = icon.pixel(x, y);
            colours.insert({c.r, c.g, c.b});
        }
    EXPECT_LE(colours.size(), 4u);
}

TEST(Pictures, readoutBoxesAreBlackInsideExceptTheTimeSlash)
{
    for (const Box& b : {scoreBox, rowsBox, stockBox, nextBox})
        for (int y = b.y0; y <= b.y1; ++y)
            for (int x = b.x0; x <= b.x1; ++x)
                ASSERT_TRUE(isBlack(background().pixel(x, y)))
                    << "box at " << b.x0 << "," << b.y0 << ": pixel " << x << "," << y << " is "
                    << describe(background().pixel(x, y));
    int slashDots = 0;
    for (int y = timeBox.y0; y <= timeBox.y1; ++y)
        for (int x = timeBox.x0; x <= timeBox.x1; ++x) {
            const Colour c = background().pixel(x, y);
            if (x >= slashFrom && x <= slashTo) {
                EXPECT_TRUE(isBlack(c) || isLitYellow(c)) << x << "," << y << " " << describe(c);
                slashDots += isLitYellow(c) ? 1 : 0;
            } else {
                ASSERT_TRUE(isBlack(c)) << "time box: pixel " << x << "," << y << " is " << describe(c);
            }
        }
    EXPECT_GE(slashDots, 6) << "the slash between the time readouts is missing";
}

TEST(Pictures, readoutBoxesAndWellHaveLightFrames)
{
    // Just outside every box, in the middle of each side, the outline is light.
    for (const Box& b : {scoreBox, rowsBox, stockBox, timeBox, nextBox}) {
        const int mx = (b.x0 + b.x1) / 2, my = (b.y0 + b.y1) / 2;
        for (const auto& [x, y] : {std::pair{b.x0 - 1, my}, {b.x1 + 1, my}, {mx, b.y0 - 1}, {mx, b.y1 + 1}}) {
            const Colour c = background().pixel(x, y);
            EXPECT_GE(c.r + c.g + c.b, 3 * 170) << x << "," << y << " " << describe(c);
        }
    }
    // The well: black inside from (175, 18) to (458, 461), framed by a light line.
    for (int y : {30, 100, 240, 400, 450})
        EXPECT_TRUE(isBlack(background().pixel(175, y)) && isBlack(background().pixel(458, y))) << y;
    for (int x : {190, 316, 440})
        EXPECT_TRUE(isBlack(background().pixel(x, 18)) && isBlack(background().pixel(x, 461))) << x;
    const Colour left = background().pixel(174, 240), top = background().pixel(316, 17);
    EXPECT_GE(left.r + left.g + left.b, 3 * 170) << describe(left);
    EXPECT_GE(top.r + top.g + top.b, 3 * 170) << describe(top);
}

TEST(Pictures, glyphsDifferFromTheUnlitCellOnlyWhereSegmentsAreLit)
{
    const auto unlit = glyph(10);
    EXPECT_TRUE(litPixels(10).empty());
    for (int g : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16}) {
        const auto lit = glyph(g);
        int changed = 0;
        for (int i = 0; i < static_cast<int>(lit.size()); ++i) {
            if (lit[i] == unlit[i])
                continue;
            ++changed;
            EXPECT_TRUE(isLitYellow(lit[i]))
                << "glyph " << g << " pixel " << i % 15 << "," << i / 15 << " " << describe(lit[i]);
            // An unlit segment dot is dark but not background black.
            EXPECT_FALSE(isBlack(unlit[i])) << "glyph " << g << " lights a pixel outside every segment";
            EXPECT_LT(unlit[i].r + unlit[i].g + unlit[i].b, 3 * 100) << describe(unlit[i]);
        }
        EXPECT_GT(changed, 0) << "glyph " << g << " lights nothing";
    }
}

TEST(Pictures, digitsAreDistinctAndTheStepsLightUpFromTheCentre)
{
    for (int a = 0; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b)
            EXPECT_NE(litPixels(a), litPixels(b)) << a << " and " << b;
    // Each step keeps what the one before lit; the first is one dot in the middle, the last all of 8.
    const auto first = litPixels(11);
    ASSERT_FALSE(first.empty());
    for (int i : first) {
        EXPECT_NEAR(i % 15, 7, 2);
        EXPECT_NEAR(i / 15, 13, 2);
    }
    for (int v = 12; v <= 16; ++v) {
        const auto before = litPixels(v - 1), now = litPixels(v);
        EXPECT_GT(now.size(), before.size()) << "step " << v - 10;
        for (int i : before)
            EXPECT_TRUE(now.count(i)) << "step " << v - 10 << " puts out a dot";
    }
    EXPECT_EQ(litPixels(16), litPixels(8));
}

TEST(Pictures, chartMarkersHaveTheirColoursOnBlack)
{
    const Colour circle = sprites().pixel(5, 70), triangle = sprites().pixel(16, 72), square = sprites().pixel(27, 70);
    EXPECT_TRUE(circle.r >= 200 && circle.g <= 80 && circle.b <= 80) << describe(circle);
    EXPECT_TRUE(triangle.r >= 200 && triangle.g >= 180 && triangle.b <= 80) << describe(triangle);
    EXPECT_TRUE(square.b >= 200 && square.r <= 80 && square.g <= 120) << describe(square);
    for (int m = 0; m < 3; ++m)
        for (const auto& [x, y] : {std::pair{0, 0}, {10, 0}, {0, 10}, {10, 10}}) {
            if (m == 2)
                continue; // the square reaches into its corners
            EXPECT_TRUE(isBlack(sprites().pixel(11 * m + x, 65 + y))) << "marker " << m << " corner " << x << "," << y;
        }
    EXPECT_TRUE(isBlack(sprites().pixel(22, 65)) && isBlack(sprites().pixel(32, 75)));
}

TEST(Pictures, cellSpritesFillTheirRegionsEachWithItsOwnEdge)
{
    for (int code = 1; code <= 12; ++code) {
        const int x0 = 39 * (code - 1);
        const Colour edge = sprites().pixel(x0, 0);
        EXPECT_FALSE(isBlack(edge)) << "cell " << code << " does not fill its region";
        // The same edge colour all round: nothing from a neighbour reaches in, nothing spills out.
        for (int i = 0; i < 39; ++i)
            for (const auto& [x, y] : {std::pair{x0 + i, 0}, {x0 + i, 38}, {x0, i}, {x0 + 38, i}})
                ASSERT_EQ(sprites().pixel(x, y), edge) << "cell " << code << " edge at " << x << "," << y;
        // A light tile under the animals, a blue one under the vehicles.
        const Colour tile = sprites().pixel(x0 + 3, 3);
        if (code <= 8)
            EXPECT_TRUE(tile.r >= 200 && tile.g >= 200 && tile.b >= 180) << code << " " << describe(tile);
        else
            EXPECT_TRUE(tile.b >= 150 && tile.b > tile.r + 60) << code << " " << describe(tile);
        // Something is drawn on the tile.
        int drawn = 0;
        for (int y = 4; y < 35; ++y)
            for (int x = 4; x < 35; ++x)
                drawn += sprites().pixel(x0 + x, y) == tile ? 0 : 1;
        EXPECT_GT(drawn, 300) << "cell " << code;
    }
}

TEST(Pictures, appleClipAndCapSitInTheirRegions)
{
    // The apple: a white tile with a red fruit in the middle.
    const Colour tile = sprites().pixel(272, 41), fruit = sprites().pixel(280, 55);
    EXPECT_TRUE(tile.r >= 240 && tile.g >= 240 && tile.b >= 240) << describe(tile);
    EXPECT_TRUE(fruit.r >= 180 && fruit.g <= 90) << describe(fruit);
    // The clip: light wire on black, reaching from near the top to near the bottom.
    int topRow = 83, bottomRow = -1;
    for (int y = 39; y < 83; ++y)
        for (int x = 297; x < 311; ++x) {
            const Colour c = sprites().pixel(x, y);
            if (c.r + c.g + c.b >= 3 * 150) {
                topRow = std::min(topRow, y);
                bottomRow = std::max(bottomRow, y);
            }
        }
    EXPECT_LE(topRow, 39 + 4);
    EXPECT_GE(bottomRow, 39 + 38);
    EXPECT_TRUE(isBlack(sprites().pixel(297, 39)) && isBlack(sprites().pixel(310, 82)));
    // The cap fills its 12 x 4 pixels.
    for (int y = 39; y < 43; ++y)
        for (int x = 311; x < 323; ++x)
            EXPECT_FALSE(isBlack(sprites().pixel(x, y))) << x << "," << y;
}

TEST(Pictures, logoFramesTurnFromFaceToEdge)
{
    const Surface logo = Surface::fromPicture("ID_BITMAP4");
    ASSERT_FALSE(logo.isEmpty());
    auto redWidth = [&](int frame) {
        int left = 35, right = -1;
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 35; ++x) {
                const Colour c = logo.pixel(35 * frame + x, y);
                if (c.r >= 60 && c.r > c.g + 30) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        return right - left + 1;
    };
    // Widest facing the viewer, narrowing to a sliver edge-on in the middle, widening again.
    EXPECT_GE(redWidth(0), 25);
    EXPECT_GE(redWidth(19), 25);
    EXPECT_LE(redWidth(9), 4);
    EXPECT_LE(redWidth(10), 4);
    for (int f = 1; f <= 9; ++f)
        EXPECT_LE(redWidth(f), redWidth(f - 1) + 1) << f;
    for (int f = 10; f <= 18; ++f)
        EXPECT_GE(redWidth(f + 1), redWidth(f) - 1) << f;
    for (int y = 0; y < 25; ++y)
        EXPECT_TRUE(isBlack(logo.pixel(700, y)));
}

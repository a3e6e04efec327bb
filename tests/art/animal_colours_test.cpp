#include "colour_science.h"
#include "picture_test_support.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>

using colour_science::ciede2000;
using colour_science::simulate;
using colour_science::toLab;
using colour_science::Vision;
using platform::Colour;

namespace {

// The most frequent colour of an animal's cell, leaving out the tile: the
// colours of the tile's edge, bevel and face, as found in its four corners.
Colour dominantColour(const platform::Surface& sheet, int code)
{
    const int x0 = 39 * (code - 1);
    auto key = [](Colour c) { return std::make_tuple(c.r, c.g, c.b); };
    std::set<std::tuple<int, int, int>> tile;
    for (int i = 0; i < 3; ++i)
        for (const auto& [x, y] : {std::pair{i, i}, {38 - i, i}, {i, 38 - i}, {38 - i, 38 - i}})
            tile.insert(key(sheet.pixel(x0 + x, y)));
    std::map<std::tuple<int, int, int>, int> counts;
    for (int y = 0; y < 39; ++y)
        for (int x = 0; x < 39; ++x) {
            const Colour c = sheet.pixel(x0 + x, y);
            if (!tile.count(key(c)))
                ++counts[key(c)];
        }
    const auto best = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    const auto [r, g, b] = best->first;
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

double smallestDifference(const Colour (&colours)[8], Vision vision, int& first, int& second)
{
    double smallest = 1e9;
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b) {
            const double d = ciede2000(toLab(simulate(colours[a], vision)), toLab(simulate(colours[b], vision)));
            if (d < smallest) {
                smallest = d;
                first = a + 1;
                second = b + 1;
            }
        }
    return smallest;
}

} // namespace

TEST(ColourScience, ciede2000MatchesPublishedPairs)
{
    // Pairs from the test data of Sharma, Wu and Dalal (2005).
    EXPECT_NEAR(ciede2000({50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}), 2.0425, 1e-4);
    EXPECT_NEAR(ciede2000({50.0, 0.0, 0.0}, {50.0, -1.0, 2.0}), 2.3669, 1e-4);
    EXPECT_NEAR(ciede2000({50.0, 2.5, 0.0}, {73.0, 25.0, -18.0}), 27.1492, 1e-4);
    EXPECT_NEAR(ciede2000({50.0, 2.5, 0.0}, {50.0, 3.2972, 0.0}), 1.0000, 1e-4);
    EXPECT_NEAR(ciede2000({60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}), 1.2644, 1e-4);
    EXPECT_NEAR(ciede2000({22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}), 2.0373, 1e-4);
}

TEST(ColourScience, colourBlindnessKeepsGreysAndMergesRedWithGreen)
{
    for (Vision v : {Vision::Deuteranopia, Vision::Protanopia}) {
        const Colour grey = simulate({128, 128, 128}, v);
        EXPECT_NEAR(grey.r, 128, 2);
        EXPECT_NEAR(grey.g, 128, 2);
        EXPECT_NEAR(grey.b, 128, 2);
        // A red and a green of similar lightness that normal vision tells far apart come close.
        const Colour red{200, 90, 40}, green{100, 150, 40};
        const double normal = ciede2000(toLab(red), toLab(green));
        const double blind = ciede2000(toLab(simulate(red, v)), toLab(simulate(green, v)));
        EXPECT_LT(blind, normal / 2.5);
    }
    EXPECT_NEAR(toLab({255, 255, 255}).L, 100.0, 0.01);
}

TEST(AnimalColours, eightAnimalsStayApartAlsoForRedGreenColourBlindness)
{
    const platform::Surface sheet = platform::Surface::fromPicture("ID_BITMAP1");
    ASSERT_FALSE(sheet.isEmpty());
    Colour colours[8];
    for (int code = 1; code <= 8; ++code)
        colours[code - 1] = dominantColour(sheet, code);
    const std::tuple<Vision, const char*, double> checks[] = {{Vision::Normal, "normal vision", 12.0},
                                                              {Vision::Deuteranopia, "deuteranopia", 8.0},
                                                              {Vision::Protanopia, "protanopia", 8.0}};
    for (const auto& [vision, name, needed] : checks) {
        int a = 0, b = 0;
        const double smallest = smallestDifference(colours, vision, a, b);
        RecordProperty(std::string("min_ciede2000_") + name, std::to_string(smallest));
        std::printf("smallest CIEDE2000 in %s: %.2f (animals %d %s and %d %s)\n", name, smallest, a,
                    art_test::describe(colours[a - 1]).c_str(), b, art_test::describe(colours[b - 1]).c_str());
        EXPECT_GE(smallest, needed) << name << ": animals " << a << " and " << b;
    }
}

#include "panel/pattern_charts.h"
#include "tests/panel/panel_fixture.h"

#include "patterns/row_evaluator.h"
#include "platform/sjis.h"

#include <string>
#include <utility>

namespace {

struct ExampleRow {
    int tab;
    int y;
    const char* row;
    int pattern;
};

// The example rows as the charts show them, with the height each stands at.
constexpr std::array<ExampleRow, 23> exampleRows{{
    {1, 50, "0011222", 1},  {1, 65, "0011122", 1},   {1, 80, "0001122", 1},   {1, 95, "0001222", 1},
    {1, 147, "0000111", 2}, {1, 162, "0001111", 2},  {1, 177, "0000011", 2},  {1, 192, "0011111", 2},
    {1, 244, "0012121", 8}, {1, 259, "1212100", 8},  {2, 50, "0112220", 4},   {2, 65, "0111220", 4},
    {2, 80, "0111110", 4},  {2, 95, "0112110", 4},   {2, 110, "0122210", 4},  {2, 162, "0121210", 6},
    {3, 50, "0101010", 3},  {3, 102, "0000000", 5},  {3, 154, "0012100", 7},  {3, 206, "0000121", 9},
    {3, 221, "1210000", 9}, {3, 273, "0001212", 10}, {3, 288, "1212000", 10},
}};

// The digit whose marker picture lies at (x, y), or '?' when none does.
char markerAt(const platform::Surface& back, const platform::Surface& sprites, int x, int y)
{
    for (int d = 0; d < markerCount; ++d)
        if (sameBlock(back, x, y, sprites, markerSize * d, markerTop, markerSize, markerSize))
            return static_cast<char>('0' + d);
    return '?';
}

std::string readRow(const platform::Surface& back, const platform::Surface& sprites, int y)
{
    std::string row;
    for (int i = 0; i < 7; ++i)
        row += markerAt(back, sprites, 40 + 12 * i, y);
    return row;
}

// Each digit as a piece colour of its own; an unreadable cell stays empty.
RowCodes rowCodes(const std::string& digits)
{
    RowCodes codes{};
    for (std::size_t i = 0; i < codes.size() && i < digits.size(); ++i)
        codes[i] = digits[i] == '?' ? 0 : digits[i] - '0' + 1;
    return codes;
}

int countColour(const platform::Surface& s, const platform::Rect& r, platform::Colour colour)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += s.pixel(x, y) == colour ? 1 : 0;
    return n;
}

} // namespace

TEST_F(PanelTest, theExampleRowsReadBackFromTheDrawnMarkersAndNothingElseIsAMarker)
{
    const platform::Surface& sprites = program.canvas.sprites;
    for (int tab = 1; tab <= 3; ++tab) {
        EXPECT_TRUE(panel().showTab(game().patternNames, tab, 0));
        std::array<int, 3> digits{};
        for (const ExampleRow& example : exampleRows) {
            if (example.tab != tab)
                continue;
            const std::string shown = readRow(back(), sprites, example.y);
            EXPECT_EQ(shown, example.row) << "tab " << tab << " y " << example.y;
            EXPECT_EQ(classifyRow(rowCodes(shown)), example.pattern) << "row " << shown;
            EXPECT_EQ(SidePanel::tabForPattern(example.pattern), tab) << "row " << shown;
            for (const char* c = example.row; *c != '\0'; ++c)
                ++digits[static_cast<std::size_t>(*c - '0')];
        }
        constexpr int markerInside = 9 * 9;
        for (std::size_t d = 0; d < digits.size(); ++d)
            EXPECT_EQ(countColour(back(), panelChartRect, testMarkerColours[d]), digits[d] * markerInside)
                << "tab " << tab << " digit " << d;
    }
}

TEST_F(PanelTest, everyCaptionAndLabelLiesWithinTheChartAreaAndIsDrawnWhole)
{
    const platform::Rect inside{panelChartRect.left + 1, panelChartRect.top + 1, panelChartRect.right - 1,
                                panelChartRect.bottom - 1};
    for (int tab = 1; tab <= 3; ++tab) {
        EXPECT_TRUE(panel().showTab(game().patternNames, tab, 0));
        // The chart alone on black, with room around it to show anything that spills.
        platform::Surface alone(clientWidth, clientHeight);
        alone.setBackgroundMode(platform::BackgroundMode::Transparent);
        std::swap(panel().canvas->backBuffer, alone);
        panel().drawChart(tab);
        std::swap(panel().canvas->backBuffer, alone);

        int outside = 0;
        int differing = 0;
        for (int y = 0; y < clientHeight; ++y) {
            for (int x = 0; x < clientWidth; ++x) {
                const platform::Colour c = alone.pixel(x, y);
                if (c == platform::rgb(0, 0, 0))
                    continue;
                outside += inside.contains(x, y) ? 0 : 1;
                differing += back().pixel(x, y) == c ? 0 : 1;
            }
        }
        EXPECT_EQ(outside, 0) << "tab " << tab;
        EXPECT_EQ(differing, 0) << "tab " << tab;
    }

    // The longest caption, under pattern 9 on tab ▼, reaches close to the frame.
    const platform::Font* previous = back().selectFont(&panel().textFont);
    const platform::Size extent = back().textExtent(panel().lines[8].data());
    back().selectFont(previous);
    EXPECT_EQ(extent.width, 130);
    EXPECT_LE(30 + extent.width, inside.right);
    EXPECT_GT(countColour(back(), platform::Rect{140, 186, inside.right, 204}, chartTextColour), 0);
}

TEST_F(PanelTest, theLastLabelsOfTheTriangleChartShowNineAndARedTwo)
{
    EXPECT_TRUE(panel().showTab(game().patternNames, 3, 0));
    EXPECT_GT(countColour(back(), platform::Rect{40, 300, 70, 312}, chartTextColour), 0);
    EXPECT_EQ(countColour(back(), platform::Rect{40, 300, 70, 312}, chartStockColour), 0);
    EXPECT_GT(countColour(back(), platform::Rect{70, 300, 100, 312}, chartStockColour), 0);
    EXPECT_EQ(countColour(back(), platform::Rect{70, 300, 100, 312}, chartTextColour), 0);
    EXPECT_EQ(back().textColour(), chartTextColour);

    // Exactly the two labels stand there: the same pixels as ×9 and ＋2 drawn alone.
    platform::Surface labels(70, 14);
    labels.setBackgroundMode(platform::BackgroundMode::Transparent);
    labels.setTextColour(chartTextColour);
    std::swap(panel().canvas->backBuffer, labels);
    panel().drawValueLabels(0, 0, 10, 2);
    std::swap(panel().canvas->backBuffer, labels);
    EXPECT_GT(countColour(labels, labels.bounds(), chartStockColour), 0);
    EXPECT_TRUE(sameBlock(back(), 40, 300, labels, 0, 0, 70, 14));
}

TEST_F(PanelTest, theZeroOfAStockLabelIsAnOpenRingThatCannotReadAsThetaOrEight)
{
    platform::Surface labels(70, 14);
    labels.setBackgroundMode(platform::BackgroundMode::Transparent);
    std::swap(panel().canvas->backBuffer, labels);
    panel().drawValueLabels(0, 0, 1, 0);
    std::swap(panel().canvas->backBuffer, labels);

    // The zero is the last run of red columns, after the ＋.
    auto redColumn = [&](int x) { return countColour(labels, platform::Rect{x, 0, x + 1, 14}, chartStockColour) > 0; };
    int right = 69;
    while (right > 30 && !redColumn(right))
        --right;
    int left = right;
    while (left > 30 && redColumn(left - 1))
        --left;
    int top = 0;
    while (top < 14 && countColour(labels, platform::Rect{left, top, right + 1, top + 1}, chartStockColour) == 0)
        ++top;
    int bottom = 13;
    while (bottom > top
           && countColour(labels, platform::Rect{left, bottom, right + 1, bottom + 1}, chartStockColour) == 0)
        --bottom;
    ASSERT_GE(right - left, 2) << "a zero wide enough to have an inside";
    ASSERT_GE(bottom - top, 4);
    for (int y = top + 2; y <= bottom - 2; ++y)
        EXPECT_EQ(countColour(labels, platform::Rect{left + 1, y, right, y + 1}, chartStockColour), 0)
            << "row " << y - top;
}

#pragma once

#include "patterns/pattern_table.h"
#include "platform/geometry.h"

#include <array>
#include <string_view>

// The charts of the side panel's three tabs. An example row is seven digits
// "0" to "2"; equal digits stand for cells of one colour.

inline constexpr platform::Colour chartTextColour = platform::rgb(250, 250, 250);
inline constexpr platform::Colour chartStockColour = platform::rgb(255, 0, 0);

// The cell picture of digit d is markerSize square at (markerSize * d, markerTop) of the sprite sheet.
inline constexpr int markerTop = 65;
inline constexpr int markerSize = 11;
inline constexpr int markerPitch = 12;
inline constexpr int markerCount = 3;

// A pattern's caption, its example rows, and its labels: "×" the points per
// removed row in hundreds and "＋" the stock it gains, both from the scoring table.
struct ChartEntry {
    int pattern = 0;
    int rowCount = 0;
    std::array<std::string_view, 5> rows{};
};

struct Chart {
    int entryCount = 0;
    std::array<ChartEntry, 5> entries{};
};

// Tab t (1 to 3) is patternCharts[t - 1].
inline constexpr std::array<Chart, 3> patternCharts{{
    {3,
     {{
         {1, 4, {"0011222", "0011122", "0001122", "0001222"}},
         {2, 4, {"0000111", "0001111", "0000011", "0011111"}},
         {8, 2, {"0012121", "1212100"}},
     }}},
    {2,
     {{
         {4, 5, {"0112220", "0111220", "0111110", "0112110", "0122210"}},
         {6, 1, {"0121210"}},
     }}},
    {5,
     {{
         {3, 1, {"0101010"}},
         {5, 1, {"0000000"}},
         {7, 1, {"0012100"}},
         {9, 2, {"0000121", "1210000"}},
         {10, 2, {"0001212", "1212000"}},
     }}},
}};

enum class ChartItemKind { Caption, Row, Labels };

// One thing drawn on a chart, at its top-left corner.
struct ChartItem {
    ChartItemKind kind = ChartItemKind::Caption;
    int x = 0;
    int y = 0;
    int pattern = 0;
    std::string_view row;
    int stockGain = 0;
};

struct ChartLayout {
    int count = 0;
    std::array<ChartItem, 17> items{};
};

// The tab whose chart shows the pattern; 0 for none.
constexpr int chartTabOf(int pattern)
{
    for (std::size_t tab = 0; tab < patternCharts.size(); ++tab) {
        const Chart& chart = patternCharts[tab];
        for (int e = 0; e < chart.entryCount; ++e) {
            if (chart.entries[static_cast<std::size_t>(e)].pattern == pattern)
                return static_cast<int>(tab) + 1;
        }
    }
    return 0;
}

// Where a tab's captions, rows and labels stand: from the top of the chart
// area down, rows 15 apart, the labels 12 below the last row and the next
// caption 20 below the labels. Empty for a tab outside 1 to 3.
constexpr ChartLayout chartLayout(int tab)
{
    constexpr int captionX = 30;
    constexpr int rowX = 40;
    constexpr int firstCaptionY = 30;
    constexpr int captionToRow = 20;
    constexpr int rowPitch = 15;
    constexpr int rowToLabels = 12;
    constexpr int labelsToCaption = 20;

    ChartLayout layout;
    if (tab < 1 || tab > static_cast<int>(patternCharts.size()))
        return layout;
    const Chart& chart = patternCharts[static_cast<std::size_t>(tab - 1)];
    int y = firstCaptionY;
    for (int e = 0; e < chart.entryCount; ++e) {
        const ChartEntry& entry = chart.entries[static_cast<std::size_t>(e)];
        layout.items[static_cast<std::size_t>(layout.count++)] =
            ChartItem{ChartItemKind::Caption, captionX, y, entry.pattern, {}, 0};
        y += captionToRow;
        for (int r = 0; r < entry.rowCount; ++r) {
            if (r > 0)
                y += rowPitch;
            layout.items[static_cast<std::size_t>(layout.count++)] =
                ChartItem{ChartItemKind::Row, rowX, y, entry.pattern, entry.rows[static_cast<std::size_t>(r)], 0};
        }
        y += rowToLabels;
        layout.items[static_cast<std::size_t>(layout.count++)] =
            ChartItem{ChartItemKind::Labels, rowX, y, entry.pattern, {}, patternValue(entry.pattern).stockGain};
        y += labelsToCaption;
    }
    return layout;
}

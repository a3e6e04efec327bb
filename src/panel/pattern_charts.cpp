#include "panel/pattern_charts.h"

#include "panel/side_panel.h"
#include "platform/menu.h"
#include "platform/sjis.h"
#include "resources/menu.h"

#include <string>

namespace {

std::string sjisText(std::string_view utf8)
{
    return platform::sjis::fromUtf8(utf8).value_or(std::string());
}

} // namespace

void SidePanel::drawChart(int tab)
{
    platform::Surface& back = canvas->backBuffer;
    const ChartLayout layout = chartLayout(tab);
    if (layout.count == 0)
        return;
    const platform::Font* previous = back.selectFont(&textFont);
    back.setTextColour(chartTextColour);
    for (int i = 0; i < layout.count; ++i) {
        const ChartItem& item = layout.items[static_cast<std::size_t>(i)];
        switch (item.kind) {
        case ChartItemKind::Caption:
            back.textOut(item.x, item.y, lines[static_cast<std::size_t>(item.pattern - 1)].data());
            break;
        case ChartItemKind::Row:
            drawExampleRow(item.x, item.y, item.row);
            break;
        case ChartItemKind::Labels:
            drawValueLabels(item.x, item.y, item.pattern, item.stockGain);
            break;
        }
    }
    menu->checkRadio(command::TabDiamond, command::TabTriangle, command::TabDiamond - 1 + tab);
    back.selectFont(previous);
}

void SidePanel::drawExampleRow(int x, int y, std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int digit = text[i] - '0';
        if (digit < 0 || digit >= markerCount)
            continue;
        canvas->backBuffer.copyFrom(x + markerPitch * static_cast<int>(i), y, markerSize, markerSize, canvas->sprites,
                                    markerSize * digit, markerTop);
    }
}

void SidePanel::drawValueLabels(int x, int y, int pattern, int stockGain)
{
    platform::Surface& back = canvas->backBuffer;
    if (pattern < 1 || pattern > patternCount)
        return;
    constexpr int stockLabelOffset = 30;
    const platform::Font* previous = back.selectFont(&valueFont);
    const int points = patternValue(pattern).points / 100;
    back.textOut(x, y, sjisText("×") + std::to_string(points));
    back.setTextColour(chartStockColour);
    back.textOut(x + stockLabelOffset, y, sjisText("＋") + std::to_string(stockGain));
    back.setTextColour(chartTextColour);
    back.selectFont(previous);
}

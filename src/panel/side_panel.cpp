#include "panel/side_panel.h"

#include "panel/pattern_charts.h"
#include "platform/menu.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "resources/menu.h"
#include "core/fonts.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int cornerEllipse = 20;
// The upper rows of a tab lie inside the chart area and are not clickable.
constexpr int tabHiddenRows = 14;
constexpr platform::Colour tabEdgeColour = platform::rgb(155, 55, 55);
constexpr platform::Colour tabSymbolColour = platform::rgb(250, 250, 150);
constexpr std::array<std::string_view, 3> tabSymbols{"◆", "★", "▼"};

// Where the clip pictures lie on the sprite sheet.
constexpr platform::Point clipImageSource{297, 39};
constexpr platform::Point clipCapSource{311, 39};
constexpr platform::Size clipImageSize{14, 44};
constexpr platform::Size clipCapSize{12, 4};
// What the pinned clip covers above the chart's inside, frame edge included.
constexpr platform::Size clipTopSize{14, 4};
// The clip in its tray: its cap on top of the picture's lower 40 rows.
constexpr platform::Point clipTrayCap{40, 378};
constexpr platform::Point clipTrayBody{40, 382};

bool strictlyInside(const platform::Rect& r, unsigned x, unsigned y)
{
    return static_cast<int>(x) > r.left && static_cast<int>(x)<r.right&& static_cast<int>(y)> r.top
           && static_cast<int>(y) < r.bottom;
}

platform::Surface copyOf(const platform::Surface& source, platform::Point from, platform::Size size)
{
    platform::Surface copy(size.width, size.height);
    copy.copyFrom(0, 0, size.width, size.height, source, from.x, from.y);
    return copy;
}

} // namespace

SidePanel::SidePanel(platform::Window& window, Canvas& canvas)
    : window(&window),
      canvas(&canvas),
      textFont(makeFont(18, 5, false, false, faceMincho)),
      tabFont(makeFont(20, 0, false, false, faceGothic)),
      // The fixed-pitch Gothic slashes its zero, which at ten pixels reads as θ;
      // the proportional one draws an open zero and the same ＋ and ×.
      valueFont(makeFont(10, 0, false, false, faceProportionalGothic))
{
    canvas.backBuffer.setBackgroundMode(platform::BackgroundMode::Transparent);
    menu = &window.menu();
    clipBackground = copyOf(canvas.backBuffer, platform::Point{clipSpotRect.left, clipSpotRect.top}, clipTopSize);
    clipImage = copyOf(canvas.sprites, clipImageSource, clipImageSize);
    clipCap = copyOf(canvas.sprites, clipCapSource, clipCapSize);
}

int SidePanel::tabForPattern(int pattern)
{
    return pattern == NoPattern ? 0 : chartTabOf(pattern);
}

bool SidePanel::showTab(const PatternNames& names, int tab, int pattern)
{
    if (clipped)
        return false;
    if (pattern != 0)
        tab = tabForPattern(pattern);
    if (tab < 1 || tab > static_cast<int>(tabRects.size()))
        return false;
    if (firstShow) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::size_t length = strnlen(names[i].data(), patternNameSlot - 1);
            lines[i] = {'*', ' '};
            std::copy_n(names[i].begin(), length, lines[i].begin() + 2);
        }
    }
    const platform::Rect area{chartRect.left, chartRect.top, chartRect.right, chartRect.bottom + 30};
    canvas->backBuffer.selectBrush(platform::stock::blackBrush);
    canvas->backBuffer.selectPen(platform::stock::whitePen);
    if (firstShow) {
        drawClip();
        for (int t = 1; t <= static_cast<int>(tabRects.size()); ++t)
            drawTab(t);
        firstShow = false;
    }
    drawChartFrame();
    drawTab(tab);
    drawChart(tab);
    window->invalidate(area);
    return true;
}

PanelHit SidePanel::hitTest(const PatternNames& names, std::int32_t position)
{
    const unsigned x = static_cast<std::uint32_t>(position) & 0xFFFFu;
    const unsigned y = (static_cast<std::uint32_t>(position) >> 16) & 0xFFFFu;
    for (int t = 1; t <= static_cast<int>(tabRects.size()); ++t) {
        const platform::Rect& r = tabRects[static_cast<std::size_t>(t - 1)];
        const platform::Rect clickable{r.left, r.top + tabHiddenRows, r.right, r.bottom};
        if (strictlyInside(clickable, x, y))
            return showTab(names, t, 0) ? PanelHit::TabShown : PanelHit::Nothing;
    }
    if (!clipped && strictlyInside(clipButtonRect, x, y)) {
        setClip(ClipChange::Pin);
        return PanelHit::ClipMoved;
    }
    if (clipped && strictlyInside(clipSpotRect, x, y)) {
        setClip(ClipChange::TakeOff);
        return PanelHit::ClipMoved;
    }
    return PanelHit::Nothing;
}

bool SidePanel::setClip(ClipChange change)
{
    const bool wasClipped = clipped;
    clipped = change == ClipChange::Toggle ? !clipped : change == ClipChange::Pin;
    // Keep what the clip will cover, so that taking it off puts back exactly
    // that, the chart frame's top edge with it.
    if (clipped && !wasClipped)
        clipBackground = copyOf(canvas->backBuffer, platform::Point{clipSpotRect.left, clipSpotRect.top}, clipTopSize);
    for (int id = command::TabDiamond; id <= command::TabTriangle; ++id)
        menu->enable(id, !clipped);
    menu->check(command::Clip, clipped);
    drawClip();
    return clipped;
}

void SidePanel::drawClip()
{
    platform::Surface& back = canvas->backBuffer;
    back.selectBrush(platform::stock::blackBrush);
    back.selectPen(platform::stock::whitePen);
    back.roundRect(clipButtonRect, cornerEllipse, cornerEllipse);
    if (!clipped) {
        const int bodyHeight = clipImageSize.height - clipCapSize.height;
        back.copyFrom(clipTrayBody.x, clipTrayBody.y, clipImageSize.width, bodyHeight, clipImage, 0,
                      clipCapSize.height);
        back.copyFrom(clipTrayCap.x, clipTrayCap.y, clipCapSize.width, clipCapSize.height, clipCap, 0, 0);
        back.copyFrom(clipSpotRect.left, clipSpotRect.top, clipTopSize.width, clipTopSize.height, clipBackground, 0, 0);
        const int top = clipSpotRect.top + clipTopSize.height;
        back.fillRect(platform::Rect{clipSpotRect.left, top, clipSpotRect.left + clipImageSize.width, top + bodyHeight},
                      platform::stock::blackBrush);
    } else {
        back.copyFrom(clipSpotRect.left, clipSpotRect.top, clipImageSize.width, clipImageSize.height, clipImage, 0, 0);
    }
    window->invalidate(clipButtonRect);
    window->invalidate(clipSpotRect);
}

void SidePanel::drawChartFrame()
{
    canvas->backBuffer.roundRect(chartRect, cornerEllipse, cornerEllipse);
}

void SidePanel::drawTab(int tab)
{
    platform::Surface& back = canvas->backBuffer;
    const platform::Rect& r = tabRects[static_cast<std::size_t>(tab - 1)];
    back.roundRect(r, cornerEllipse, cornerEllipse);
    const platform::Pen previous = back.selectPen(platform::stock::blackPen);
    back.rectangle(platform::Rect{r.left + 1, r.top, r.right - 1, r.top + tabHiddenRows});
    back.rectangle(platform::Rect{69, 310, 118, 319});
    back.selectPen(previous);
    drawTabLabel(tab);
}

void SidePanel::drawTabLabel(int tab)
{
    platform::Surface& back = canvas->backBuffer;
    const platform::Rect& r = tabRects[static_cast<std::size_t>(tab - 1)];
    const std::string symbol = platform::sjis::fromUtf8(tabSymbols[static_cast<std::size_t>(tab - 1)]).value_or("");
    const platform::Font* previous = back.selectFont(&tabFont);
    back.setTextColour(tabEdgeColour);
    back.textOut(r.left + 11, r.top + 17, symbol);
    back.setTextColour(tabSymbolColour);
    back.textOut(r.left + 12, r.top + 18, symbol);
    back.selectFont(previous);
}

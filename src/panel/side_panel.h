#pragma once

#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/surface.h"
#include "core/pattern_names.h"
#include "core/canvas.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace platform {
class Menu;
class Window;
}

inline constexpr int panelCaptionSize = 27;
// Tab t (1 to 3) is tabRects[t - 1].
inline constexpr std::array<platform::Rect, 3> panelTabRects{{
    {25, 306, 70, 350},
    {71, 306, 116, 350},
    {117, 306, 162, 350},
}};
inline constexpr platform::Rect panelChartRect{25, 20, 162, 320};
inline constexpr platform::Rect panelClipButtonRect{30, 370, 65, 430};
inline constexpr platform::Rect panelClipSpotRect{135, 17, 149, 61};

// What a click on the panel did; the values are the codes its sounds are chosen by.
enum class PanelHit : int {
    Nothing = 0,
    TabShown = 1,
    ClipMoved = 2,
};

enum class ClipChange {
    TakeOff,
    Pin,
    Toggle,
};

// The panel left of the well: the chart area with its three tabs below and
// the clip in its tray. It draws into the back buffer only and asks the
// window to repaint what changed.
struct SidePanel {
    explicit SidePanel(platform::Window& window, Canvas& canvas);

    // Whether it drew: not while the clip is pinned or for a tab outside 1 to 3.
    // A pattern id other than 0 chooses the tab that holds its chart.
    bool showTab(const PatternNames& names, int tab, int pattern);
    // position: x in the low 16 bits, y in the high 16 bits.
    PanelHit hitTest(const PatternNames& names, std::int32_t position);
    // Returns whether the clip is pinned now.
    bool setClip(ClipChange change);
    static int tabForPattern(int pattern);

    void drawClip();
    void drawTab(int tab);
    void drawTabLabel(int tab);
    void drawChartFrame();
    // The tab's chart and the menu's radio mark; nothing for a tab outside 1 to 3.
    void drawChart(int tab);
    void drawExampleRow(int x, int y, std::string_view text);
    void drawValueLabels(int x, int y, int pattern, int stockGain);

    // Asks for the repaint of what the panel drew.
    platform::Window* window = nullptr;
    Canvas* canvas = nullptr;
    platform::Font textFont;
    platform::Font tabFont;
    platform::Font valueFont;
    platform::Menu* menu = nullptr;
    std::array<platform::Rect, 3> tabRects = panelTabRects;
    platform::Rect chartRect = panelChartRect;
    // NUL-terminated Shift-JIS captions: "* " and the name of pattern i + 1.
    std::array<std::array<char, panelCaptionSize>, 10> lines{};
    bool clipped = false;
    platform::Surface clipImage;
    platform::Surface clipCap;
    // What the pinned clip covers above the chart's inside, saved as it is pinned.
    platform::Surface clipBackground;
    platform::Rect clipButtonRect = panelClipButtonRect;
    platform::Rect clipSpotRect = panelClipSpotRect;
    // Until the first drawing: then the captions are built and the tray and
    // all three tabs are drawn once.
    bool firstShow = true;
};

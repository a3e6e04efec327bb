#include "view/balloon.h"

#include "platform/surface.h"
#include "view/playfield_view.h"

#include <array>
#include <algorithm>
#include <string_view>

namespace {

// The cry of the character of each piece colour, colour 1 first, Shift-JIS:
// だらっと, だとら, だがおー, でちゅう, だきー, でごん, ぷりーず, だほー.
constexpr std::array<std::string_view, 8> cries{
    "\x82\xbe\x82\xe7\x82\xc1\x82\xc6", "\x82\xbe\x82\xc6\x82\xe7", "\x82\xbe\x82\xaa\x82\xa8\x81\x5b",
    "\x82\xc5\x82\xbf\x82\xe3\x82\xa4", "\x82\xbe\x82\xab\x81\x5b", "\x82\xc5\x82\xb2\x82\xf1",
    "\x82\xd5\x82\xe8\x81\x5b\x82\xb8", "\x82\xbe\x82\xd9\x81\x5b",
};

// The body grows with the text; the tail points up at the next-piece box.
constexpr int bodyLeft = 468;
constexpr int bodyTop = 407;
constexpr int bodyRightPastText = 480;
constexpr int bodyBottomPastText = 424;
constexpr int cornerEllipse = 20;
constexpr std::array<platform::Point, 3> tail{{{483, 398}, {483, 407}, {478, 407}}};
// Drawn in white over the outline where tail and body meet, so they read as one shape.
constexpr platform::Point joinFrom{478, 407};
constexpr platform::Point joinTo{484, 407};
constexpr platform::Point textAt{472, 415};

constexpr int patternCount = static_cast<int>(std::tuple_size_v<PatternNames>);

void drawBalloonOn(platform::Surface& surface, const platform::Font& font, const std::string& text)
{
    const platform::Font* oldFont = surface.selectFont(&font);
    const platform::Pen oldPen = surface.selectPen(platform::stock::blackPen);
    const platform::Brush oldBrush = surface.selectBrush(platform::stock::whiteBrush);
    const platform::Colour oldText = surface.setTextColour(platform::rgb(0, 0, 0));
    const platform::BackgroundMode oldMode = surface.setBackgroundMode(platform::BackgroundMode::Transparent);

    const platform::Size extent = surface.textExtent(text);
    surface.roundRect({bodyLeft, bodyTop, bodyRightPastText + extent.width, bodyBottomPastText + extent.height},
                      cornerEllipse, cornerEllipse);
    surface.polygon(tail);
    surface.selectPen(platform::stock::whitePen);
    surface.line(joinFrom, joinTo);
    surface.textOut(textAt.x, textAt.y, text);

    surface.setBackgroundMode(oldMode);
    surface.setTextColour(oldText);
    surface.selectBrush(oldBrush);
    surface.selectPen(oldPen);
    surface.selectFont(oldFont);
}

} // namespace

std::string balloonText(const PatternNames& names, int index, int colour)
{
    const auto& slot = names[static_cast<std::size_t>(index - 1)];
    std::string text(slot.begin(), std::find(slot.begin(), slot.end(), '\0'));
    if (colour >= 1 && colour <= static_cast<int>(cries.size()))
        text += cries[static_cast<std::size_t>(colour - 1)];
    return text;
}

bool PlayfieldView::updateBalloon(const PatternNames& names, const RoundStatus& status, int index)
{
    shown = status;
    if (index == eraseBalloonIndex) {
        eraseBalloon();
        return false;
    }
    // 0 is "no hint"; anything past the ten patterns names nothing either.
    if (index < 1 || index > patternCount)
        return false;
    drawBalloon(names, index);
    return true;
}

void PlayfieldView::drawBalloon(const PatternNames& names, int index)
{
    balloonShown = true;
    const std::string text = balloonText(names, index, shown.nextColour);
    drawOnBoth(*canvas, [&](platform::Surface& surface) { drawBalloonOn(surface, font, text); });
}

void PlayfieldView::eraseBalloon()
{
    if (!balloonShown)
        return;
    balloonShown = false;
    drawOnBoth(*canvas, [&](platform::Surface& surface) {
        surface.copyFrom(stripArea.left, stripArea.top, stripArea.width(), stripArea.height(), canvas->strip, 0, 0);
    });
}

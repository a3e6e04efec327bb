#include "view/playfield_view.h"

#include "platform/surface.h"
#include "core/fonts.h"
#include "view/digits.h"

#include <algorithm>
#include <array>

namespace {

// Regions of the sprite sheet.
constexpr int cellSprite = 39;
constexpr int spriteCodes = 12;
constexpr int digitStripTop = 39;
constexpr int digitWidth = 15;
constexpr int digitHeight = 26;
constexpr platform::Rect stockMark{270, 39, 270 + 27, 39 + 27};

// Where the readouts stand in the client area.
struct DigitReadout {
    int x;
    int y;
    int cells;
};
constexpr DigitReadout scoreReadout{470, 50, 10};
constexpr DigitReadout rowsReadout{470, 120, 4};
constexpr DigitReadout stageLengthReadout{470, 290, 4};
constexpr DigitReadout stageRemainingReadout{550, 290, 4};
constexpr int digitPitch = 16;
constexpr int stockX = 470;
constexpr std::array<int, 2> stockLineY{190, 220};
constexpr int marksPerLine = 5;
constexpr int markPitch = 30;
constexpr platform::Point nextBox{470, 360};
// The stage times are milliseconds, shown in tenths of a second.
constexpr int msPerShownUnit = 100;

struct Area {
    ViewArea area;
    platform::Rect rect;
};
constexpr std::array<Area, 3> areas{{
    {ViewArea::Well, {177, 20, 177 + 280, 20 + 440}},
    {ViewArea::Stock, {470, 190, 470 + 150, 190 + 58}},
    {ViewArea::Next, {470, 360, 470 + 40, 360 + 40}},
}};

constexpr platform::Rect cellSpriteRegion(int code)
{
    return {cellSprite * (code - 1), 0, cellSprite * code, cellSprite};
}

constexpr platform::Rect digitRegion(int glyph)
{
    return {digitWidth * glyph, digitStripTop, digitWidth * (glyph + 1), digitStripTop + digitHeight};
}

} // namespace

PlayfieldView::PlayfieldView(Canvas& canvas) : canvas(&canvas), font(makeFont(10, 0, false, false, faceMincho))
{
}

void PlayfieldView::redraw(const RoundStatus& status, bool force)
{
    shown = status;
    const bool all = force;
    if (all || status.score != remembered.score) {
        remembered.score = status.score;
        drawScore();
    }
    if (all || status.rowsCleared != remembered.rowsCleared) {
        remembered.rowsCleared = status.rowsCleared;
        drawRowsCleared();
    }
    if (all || status.stock != remembered.stock) {
        remembered.stock = status.stock;
        drawStock();
    }
    if (all || status.stageLength != remembered.stageLength) {
        remembered.stageLength = status.stageLength;
        drawStageLength();
    }
    if (all || status.stageRemaining != remembered.stageRemaining) {
        remembered.stageRemaining = status.stageRemaining;
        drawStageRemaining();
    }
    if (all || status.nextColour != remembered.nextColour) {
        remembered.nextColour = status.nextColour;
        drawNext();
    }
}

void PlayfieldView::clearArea(ViewArea area)
{
    const auto found = std::find_if(areas.begin(), areas.end(), [area](const Area& a) { return a.area == area; });
    if (found == areas.end())
        return;
    drawOnBoth(*canvas,
               [&](platform::Surface& surface) { surface.fillRect(found->rect, platform::stock::blackBrush); });
}

int PlayfieldView::digitAt(double value, int position)
{
    digitCount = decimalDigits(value);
    return digitGlyph(value, position);
}

void PlayfieldView::drawScore()
{
    drawDigits(scoreReadout.x, scoreReadout.y, scoreReadout.cells, shown.score);
}

void PlayfieldView::drawRowsCleared()
{
    drawDigits(rowsReadout.x, rowsReadout.y, rowsReadout.cells, shown.rowsCleared);
}

void PlayfieldView::drawStock()
{
    clearArea(ViewArea::Stock);
    const int firstLine = std::min(shown.stock, marksPerLine);
    for (int i = 0; i < firstLine; ++i)
        copySprite(stockX + markPitch * i, stockLineY[0], stockMark);
    for (int i = 0; i < shown.stock - marksPerLine; ++i)
        copySprite(stockX + markPitch * i, stockLineY[1], stockMark);
}

void PlayfieldView::drawStageLength()
{
    drawDigits(stageLengthReadout.x, stageLengthReadout.y, stageLengthReadout.cells,
               shown.stageLength / msPerShownUnit);
}

void PlayfieldView::drawStageRemaining()
{
    drawDigits(stageRemainingReadout.x, stageRemainingReadout.y, stageRemainingReadout.cells,
               shown.stageRemaining / msPerShownUnit);
}

void PlayfieldView::drawNext()
{
    // A code without a sprite leaves the box empty rather than copying from
    // outside the sheet.
    if (shown.nextColour < 1 || shown.nextColour > spriteCodes) {
        clearArea(ViewArea::Next);
        return;
    }
    copySprite(nextBox.x, nextBox.y, cellSpriteRegion(shown.nextColour));
}

void PlayfieldView::drawDigits(int x, int y, int cells, double value)
{
    for (int i = 0; i < cells; ++i)
        copySprite(x + digitPitch * i, y, digitRegion(digitAt(value, cells - i)));
}

void PlayfieldView::copySprite(int x, int y, const platform::Rect& region)
{
    drawOnBoth(*canvas, [&](platform::Surface& surface) {
        surface.copyFrom(x, y, region.width(), region.height(), canvas->sprites, region.left, region.top);
    });
}

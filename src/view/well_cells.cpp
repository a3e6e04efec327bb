#include "view/playfield_view.h"

#include "platform/surface.h"

namespace {

platform::Rect cellRect(int x, int y)
{
    return {x, y, x + cellSize, y + cellSize};
}

int spriteX(std::int32_t colour)
{
    return (colour - 1) * cellSize;
}

} // namespace

void PlayfieldView::paintCell(const Grid& grid, int column, int row)
{
    const int x = cellX(column);
    const int y = cellY(row);
    const std::int32_t colour = cellAt(grid, column, row);
    drawOnBoth(*canvas, [&](platform::Surface& surface) {
        if (colour == emptyCell)
            surface.fillRect(cellRect(x, y), platform::stock::blackBrush);
        else
            surface.copyFrom(x, y, cellSize, cellSize, canvas->sprites, spriteX(colour), 0);
    });
}

void PlayfieldView::paintLifted(int column, int row, std::int32_t colour, int fromLift, int toLift)
{
    const int x = cellX(column);
    const int y = cellY(row);
    platform::Surface& screen = screenOf(*canvas);
    screen.fillRect(cellRect(x, y - fromLift), platform::stock::blackBrush);
    screen.copyFrom(x, y - toLift, cellSize, cellSize, canvas->sprites, spriteX(colour), 0);
}

#pragma once

#include "engine/well.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "platform/surface.h"
#include "platform/window.h"
#include "core/random.h"
#include "core/canvas.h"
#include "shell/game.h"
#include "view/playfield_view.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

// A distinct colour for each cell sprite, so a pixel tells which code was drawn.
inline platform::Colour spriteColour(std::int32_t code)
{
    return platform::rgb(20 * code, 250 - 17 * code, 40 + 13 * code);
}

inline platform::Surface makeSprites()
{
    platform::Surface sprites(468, 83);
    for (std::int32_t code = 1; code <= 12; ++code) {
        const int x = (code - 1) * cellSize;
        sprites.fillRect({x, 0, x + cellSize, cellSize}, platform::Brush{spriteColour(code)});
    }
    return sprites;
}

inline void ignoreMessages(platform::Window&, const platform::Message&)
{
}

// A real window and a real canvas around a well that has started a new game,
// its cells painted by a real view as the game binds it.
struct WellTest : ::testing::Test {
    platform::Window window{ignoreMessages};
    Canvas canvas;
    PlayfieldView view{canvas};
    RoundStatus status;
    Well well{window, wellPainter(view)};

    void SetUp() override
    {
        window.create("test", {}, "");
        canvas.window = &window;
        canvas.backBuffer = platform::Surface(clientWidth, clientHeight);
        canvas.sprites = makeSprites();
        platform::Clock::instance().simulate(1'000'000);
        platform::Clock::instance().clearPauses();
        seed(well.random, 12345);
        well.resetWell(status);
    }

    std::int32_t cell(int column, int row) const { return cellAt(well.grid, column, row); }

    // Settles codes in a column from the floor up, drawn as the well draws them.
    void stack(int column, std::initializer_list<std::int32_t> codesFromBottom)
    {
        int row = bottomRow;
        for (const std::int32_t code : codesFromBottom)
            place(column, row--, code);
    }

    // Fills a row from column 1; '.' leaves a cell empty, a letter is code letter - 'A' + first.
    void fillRow(int row, const std::string& text, std::int32_t first = 1)
    {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const char ch = text[static_cast<std::size_t>(column - firstColumn)];
            if (ch != '.')
                place(column, row, first + (ch - 'A'));
        }
    }

    void place(int column, int row, std::int32_t code)
    {
        well.pieceColumn = column;
        well.pieceRow = row;
        well.pieceColour = code;
        well.paintPiece();
    }
};

// The colour at the middle of a cell on a surface: the sprite of its code, or black.
inline platform::Colour cellPixel(const platform::Surface& surface, int column, int row)
{
    return surface.pixel(cellX(column) + cellSize / 2, cellY(row) + cellSize / 2);
}

inline platform::Colour expectedPixel(std::int32_t code)
{
    return code == emptyCell ? platform::rgb(0, 0, 0) : spriteColour(code);
}

// Walls whole, codes known, piece inside the well, stacks without gaps, and
// what the back buffer shows agreeing with the grid.
inline ::testing::AssertionResult wellIsSound(const Well& well, const Canvas& canvas, bool pieceFalling)
{
    for (int column = 0; column < gridColumns; ++column) {
        for (int row = 0; row < gridRows; ++row) {
            const std::int32_t code = cellAt(well.grid, column, row);
            const bool wall = column == 0 || column == 8 || row == wallRow || row == floorRow;
            if (wall && code != wallCode)
                return ::testing::AssertionFailure() << "wall broken at " << column << "," << row;
            if (!wall && (code < 0 || code > firstBlockCode + blockCodeCount - 1))
                return ::testing::AssertionFailure() << "code " << code << " at " << column << "," << row;
        }
    }
    if (well.pieceColumn < firstColumn || well.pieceColumn > lastColumn || well.pieceRow < topRow
        || well.pieceRow > bottomRow)
        return ::testing::AssertionFailure() << "piece at " << well.pieceColumn << "," << well.pieceRow;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        bool settled = false;
        for (int row = topRow; row <= bottomRow; ++row) {
            const bool piece = pieceFalling && column == well.pieceColumn && row == well.pieceRow;
            const bool occupied = cellAt(well.grid, column, row) != emptyCell;
            if (settled && !occupied)
                return ::testing::AssertionFailure() << "gap at " << column << "," << row;
            if (occupied && !piece)
                settled = true;
        }
    }
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = topRow; row <= bottomRow; ++row) {
            const std::int32_t code = cellAt(well.grid, column, row);
            if (cellPixel(canvas.backBuffer, column, row) != expectedPixel(code))
                return ::testing::AssertionFailure() << "back buffer disagrees at " << column << "," << row;
        }
    }
    return ::testing::AssertionSuccess();
}

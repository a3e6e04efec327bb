#include "engine/well.h"

#include "core/random.h"

#include <algorithm>

bool Well::rowFull(int row) const
{
    for (int column = firstColumn; column <= lastColumn; ++column) {
        if (cellAt(grid, column, row) == emptyCell)
            return false;
    }
    return true;
}

std::optional<std::int32_t> Well::evaluateLandingRow()
{
    if (evaluator.classify(*status, grid, piecePosition()) == NoPattern)
        return std::nullopt;
    return pieceRow;
}

void Well::clearRow(std::int32_t row)
{
    if (row < topRow || row > bottomRow)
        return;
    for (int column = firstColumn; column <= lastColumn; ++column)
        cellAt(grid, column, row) = emptyCell;
}

// Redraws the 77 playable cells, column by column.
void Well::redrawWell()
{
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = topRow; row <= bottomRow; ++row)
            painter.cell(grid, column, row);
    }
}

// Stacks are gap-free, so one pass from the bottom closes the one emptied row.
void Well::collapseRows()
{
    for (int row = bottomRow; row >= topRow + 1; --row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            std::int32_t& cell = cellAt(grid, column, row);
            if (cell == emptyCell) {
                cell = cellAt(grid, column, row - 1);
                cellAt(grid, column, row - 1) = emptyCell;
            }
        }
    }
    clearRow(topRow);
    redrawWell();
    ++status->rowsCleared;
    ++status->rowsThisLock;
}

bool Well::bottomRowFull() const
{
    return patternValue(status->lastPattern).takesBonusRows && rowFull(bottomRow);
}

std::int32_t Well::scoreLanding()
{
    const PatternValue& value = patternValue(status->lastPattern);
    const std::int32_t points = value.points * status->rowsThisLock;
    status->stock += stockChange(status->lastPattern, status->rowsThisLock);
    status->score += static_cast<double>(points);
    status->stock = std::clamp(status->stock, 0, maxStock);
    status->rowsThisLock = 0;
    return points;
}

bool Well::onlyFullRowsLeft() const
{
    int fullRows = 0;
    for (int row = bottomRow; row >= topRow + 1; --row) {
        if (rowFull(row))
            ++fullRows;
    }
    for (int row = topRow; row <= bottomRow - fullRows; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (cellAt(grid, column, row) != emptyCell)
                return false;
        }
    }
    return true;
}

// The next piece was drawn from the old window, so the window moves only
// when that piece also lies inside the moved one.
void Well::advanceColourBase()
{
    for (std::int32_t i = 1; i <= maxColourCount; ++i) {
        std::int32_t colour = colourBase + i;
        if (colour > lastPieceColour)
            colour -= lastPieceColour;
        if (status->nextColour == colour) {
            colourBase = colourBase + 1 > lastPieceColour ? 1 : colourBase + 1;
            return;
        }
    }
}

RowPattern Well::probeHint()
{
    for (int row = bottomRow; row >= topRow + 1; --row) {
        int holes = 0;
        int holeColumn = 0;
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (cellAt(grid, column, row) == emptyCell) {
                ++holes;
                holeColumn = column;
            }
        }
        if (holes != 1)
            continue;
        cellAt(grid, holeColumn, row) = pieceColour;
        const RowPattern hint = evaluator.classify(*status, grid, {pieceColumn, row});
        cellAt(grid, holeColumn, row) = emptyCell;
        return hint;
    }
    return NoPattern;
}

RiseResult Well::riseRow()
{
    const std::int32_t colour = pieceColour;
    const std::int32_t column = pieceColumn;
    std::int32_t row = pieceRow;
    RiseResult result = RiseResult::PieceKept;

    for (int r = topRow; r <= bottomRow - 1; ++r) {
        for (int c = firstColumn; c <= lastColumn; ++c)
            cellAt(grid, c, r) = cellAt(grid, c, r + 1);
    }
    if (row >= topRow + 1)
        cellAt(grid, column, row - 1) = emptyCell;
    if (cellAt(grid, column, row) == emptyCell) {
        cellAt(grid, column, row) = colour;
    } else if (row > topRow) {
        --row;
        cellAt(grid, column, row) = colour;
    } else {
        // The column has risen into the top row under the piece: the piece
        // has nowhere to go but the wall row, which it may never enter.
        result = RiseResult::PiecePushedOut;
    }

    do {
        for (int c = firstColumn; c <= lastColumn; ++c)
            cellAt(grid, c, bottomRow) = firstBlockCode + draw(random) % blockCodeCount;
    } while (evaluator.classify(*status, grid, {column, bottomRow}) != NoPattern);

    redrawWell();
    pieceRow = row;
    return result;
}

LandingResult Well::resolveLanding()
{
    LandingResult landing;
    if (const std::optional<std::int32_t> row = evaluateLandingRow()) {
        landing.pattern = static_cast<RowPattern>(status->lastPattern);
        clearRow(*row);
        collapseRows();
        for (std::int32_t i = 0; i < status->stock; ++i) {
            if (bottomRowFull()) {
                clearRow(bottomRow);
                collapseRows();
            }
        }
        landing.rowsRemoved = status->rowsThisLock;
        landing.points = scoreLanding();
    }
    if (onlyFullRowsLeft())
        advanceColourBase();
    return landing;
}

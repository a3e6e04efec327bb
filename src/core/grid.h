#pragma once

#include <array>
#include <cassert>
#include <cstdint>

// The well's cells: 9 columns by 13 rows stored column by column. Columns 0
// and 8 and rows 0 and 12 are the wall; the playable cells are columns 1..7
// by rows 1..11.
inline constexpr int gridColumns = 9;
inline constexpr int gridRows = 13;
inline constexpr int firstColumn = 1;
inline constexpr int lastColumn = 7;
inline constexpr int topRow = 1;
inline constexpr int bottomRow = 11;
inline constexpr int wallRow = 0;
inline constexpr int floorRow = 12;
inline constexpr int rowWidth = lastColumn - firstColumn + 1;

// Cell codes: 0 empty, 1..8 piece colours, 9..12 blocks of risen rows, 20 wall.
inline constexpr std::int32_t emptyCell = 0;
inline constexpr std::int32_t lastPieceColour = 8;
inline constexpr std::int32_t firstBlockCode = 9;
inline constexpr std::int32_t blockCodeCount = 4;
inline constexpr std::int32_t wallCode = 20;

using Grid = std::array<std::int32_t, gridColumns * gridRows>;

constexpr int cellIndex(int column, int row)
{
    assert(column >= 0 && column < gridColumns && row >= 0 && row < gridRows);
    return column * gridRows + row;
}

constexpr std::int32_t& cellAt(Grid& grid, int column, int row)
{
    return grid[static_cast<std::size_t>(cellIndex(column, row))];
}

constexpr std::int32_t cellAt(const Grid& grid, int column, int row)
{
    return grid[static_cast<std::size_t>(cellIndex(column, row))];
}

// The piece position handed to the row classification; only the row is read.
struct GridPosition {
    std::int32_t column = 0;
    std::int32_t row = 0;
};

// Screen position of a cell's top-left pixel.
constexpr int cellX(int column)
{
    return 177 + 40 * (column - 1);
}

constexpr int cellY(int row)
{
    return 20 + 40 * (row - 1);
}

inline constexpr int cellSize = 39;

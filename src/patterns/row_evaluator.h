#pragma once

#include "core/grid.h"
#include "core/round_status.h"
#include "patterns/pattern_table.h"

#include <array>
#include <cstdint>

// The seven codes of one row, columns 1 to 7.
using RowCodes = std::array<std::int32_t, rowWidth>;

// The pattern that seven occupied cells form; equal codes are the same
// colour and nothing else is. Any empty cell gives NoPattern.
RowPattern classifyRow(const RowCodes& row);

// Judges the row of the piece position and leaves the result in
// status.lastPattern. Rows outside the playable well are never judged.
struct RowEvaluator {
    RowPattern classify(RoundStatus& status, const Grid& grid, GridPosition position) const;
};

#pragma once

#include "ranking/ranking_entry.h"

#include <string>
#include <string_view>

namespace platform {
class Font;
class Surface;
} // namespace platform

// Where the table's lines go, over the well.
inline constexpr int tableRankX = 182;
inline constexpr int tableNameX = 210;
inline constexpr int tableScoreX = 280;
inline constexpr int tableLabelX = 350;
inline constexpr int tableFirstY = 70;
inline constexpr int tableLinePitch = 33;

// A whole score as its digits ("200000", "0"); any other value, such as a
// damaged file may hold, still reads plainly ("1.5", "-3", "nan", "inf", "1e+15").
std::string formatScore(double score);
// The label of a row's difficulty, UTF-8.
std::string_view difficultyLabel(std::int32_t difficulty);

// Draws ranks 1 to 10 in the surface's current state, the highlighted rank in
// red and the rest in white, over whatever is there.
void drawTableLines(platform::Surface& surface, const RankingTable& table, int highlightRank);

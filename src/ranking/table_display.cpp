#include "ranking/table_display.h"

#include "platform/sjis.h"
#include "platform/surface.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr platform::Colour highlightColour = platform::rgb(255, 0, 0);
constexpr platform::Colour lineColour = platform::rgb(255, 255, 255);
constexpr std::array<std::string_view, 2> difficultyLabels{"すたんだーど", "ぷろふぇっしょなる"};

} // namespace

std::string formatScore(double score)
{
    // A damaged file's NaN or infinity counts as the lowest score and shows as none.
    if (score == 0 || !std::isfinite(score))
        return "0";
    // Eleven significant digits: every whole score below 10^11 prints as its digits.
    std::array<char, 32> text{};
    const int length = std::snprintf(text.data(), text.size(), "%.11g", score);
    return std::string(text.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string_view difficultyLabel(std::int32_t difficulty)
{
    return difficultyLabels[difficulty == 0 ? 0 : 1];
}

void drawTableLines(platform::Surface& surface, const RankingTable& table, int highlightRank)
{
    for (std::size_t row = 0; row < shownRanks; ++row) {
        const int rank = static_cast<int>(row) + 1;
        const int y = tableFirstY + tableLinePitch * static_cast<int>(row);
        const RankingEntry& entry = table[row];
        surface.setTextColour(rank == highlightRank ? highlightColour : lineColour);
        surface.textOut(tableRankX, y, std::to_string(rank));
        surface.textOut(tableNameX, y, nameText(entry));
        surface.textOut(tableScoreX, y, formatScore(entry.score));
        surface.textOut(tableLabelX, y, platform::sjis::fromUtf8(difficultyLabel(entry.difficulty)).value_or(""));
    }
}

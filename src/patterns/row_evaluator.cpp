#include "patterns/row_evaluator.h"

#include <algorithm>

namespace {

using Layout = std::array<std::int32_t, 3>;
using Test = bool (*)(const RowCodes&);

constexpr std::array<Layout, 4> threeRunLayouts = {{{2, 2, 3}, {2, 3, 2}, {3, 2, 2}, {3, 1, 3}}};
constexpr std::array<Layout, 4> twoRunLayouts = {{{4, 3, 0}, {3, 4, 0}, {5, 2, 0}, {2, 5, 0}}};
constexpr std::array<Layout, 5> innerRunLayouts = {{{2, 3, 0}, {3, 2, 0}, {5, 0, 0}, {2, 1, 2}, {1, 3, 1}}};

// Whether every run of the layout, laid from cell first on, holds one code.
constexpr bool runsUniform(const RowCodes& c, int first, const Layout& layout)
{
    int start = first;
    for (const std::int32_t length : layout) {
        for (int i = 1; i < length; ++i) {
            if (c[static_cast<std::size_t>(start + i)] != c[static_cast<std::size_t>(start)])
                return false;
        }
        start += length;
    }
    return true;
}

template <std::size_t N>
constexpr bool anyLayoutFits(const RowCodes& c, const std::array<Layout, N>& layouts)
{
    return std::any_of(layouts.begin(), layouts.end(), [&](const Layout& l) { return runsUniform(c, 0, l); });
}

constexpr bool threePon(const RowCodes& c)
{
    return anyLayoutFits(c, threeRunLayouts) && c[0] != c[3] && c[3] != c[6];
}

constexpr bool twoPon(const RowCodes& c)
{
    return anyLayoutFits(c, twoRunLayouts) && c[0] != c[6];
}

constexpr bool mixPunch(const RowCodes& c)
{
    return c[0] == c[2] && c[2] == c[4] && c[4] == c[6] && c[1] == c[3] && c[3] == c[5] && c[0] != c[1];
}

constexpr bool always(const RowCodes&)
{
    return true;
}

constexpr bool middleStandsAlone(const RowCodes& c)
{
    return c[3] != c[2] && c[3] != c[4];
}

constexpr bool innerEndsMatch(const RowCodes& c)
{
    return c[1] == c[5];
}

// What each inner layout further asks once it is the first to fit.
constexpr std::array<Test, innerRunLayouts.size()> innerLayoutChecks = {
    always, always, always, middleStandsAlone, innerEndsMatch,
};

constexpr bool tamaro(const RowCodes& c)
{
    if (c[0] != c[6] || c[1] == c[0] || c[5] == c[6])
        return false;
    for (std::size_t i = 0; i < innerRunLayouts.size(); ++i) {
        if (runsUniform(c, 1, innerRunLayouts[i]))
            return innerLayoutChecks[i](c);
    }
    return false;
}

constexpr bool extraPunch(const RowCodes& c)
{
    return std::all_of(c.begin(), c.end(), [&](std::int32_t code) { return code == c[0]; });
}

constexpr bool doubleMixPunch(const RowCodes& c)
{
    return c[0] == c[6] && c[1] == c[5] && c[2] == c[4] && c[3] != c[2] && c[0] != c[1];
}

constexpr bool contrastPunch(const RowCodes& c)
{
    return c[0] == c[1] && c[5] == c[6] && c[2] == c[4] && c[1] != c[2] && c[4] != c[5];
}

constexpr bool ponMix(const RowCodes& c)
{
    const bool left = c[0] == c[1] && c[2] == c[4] && c[4] == c[6] && c[3] == c[5] && c[1] != c[2];
    const bool right = c[5] == c[6] && c[0] == c[2] && c[2] == c[4] && c[1] == c[3] && c[4] != c[5];
    return left || right;
}

constexpr bool mixExtraPunch(const RowCodes& c)
{
    const bool left = c[0] == c[1] && c[1] == c[2] && c[2] == c[3] && c[4] == c[6] && c[3] != c[4];
    const bool right = c[3] == c[4] && c[4] == c[5] && c[5] == c[6] && c[0] == c[2] && c[2] != c[3];
    return left || right;
}

constexpr bool premiumPunch(const RowCodes& c)
{
    const bool left = c[0] == c[1] && c[1] == c[2] && c[3] == c[5] && c[4] == c[6] && c[2] != c[3];
    const bool right = c[4] == c[5] && c[5] == c[6] && c[0] == c[2] && c[1] == c[3] && c[3] != c[4];
    return left || right;
}

// Tried in this order; the first that holds names the pattern (slot i is id i + 1).
constexpr std::array<Test, patternCount> patternTests = {
    threePon, twoPon, mixPunch, tamaro, extraPunch, doubleMixPunch, contrastPunch, ponMix, mixExtraPunch, premiumPunch,
};

} // namespace

RowPattern classifyRow(const RowCodes& row)
{
    if (std::find(row.begin(), row.end(), emptyCell) != row.end())
        return NoPattern;
    for (std::size_t i = 0; i < patternTests.size(); ++i) {
        if (patternTests[i](row))
            return static_cast<RowPattern>(i + 1);
    }
    return NoPattern;
}

RowPattern RowEvaluator::classify(RoundStatus& status, const Grid& grid, GridPosition position) const
{
    status.lastPattern = NoPattern;
    if (position.row < topRow || position.row > bottomRow)
        return NoPattern;
    RowCodes row{};
    for (int column = firstColumn; column <= lastColumn; ++column)
        row[static_cast<std::size_t>(column - firstColumn)] = cellAt(grid, column, position.row);
    const RowPattern pattern = classifyRow(row);
    status.lastPattern = pattern;
    return pattern;
}

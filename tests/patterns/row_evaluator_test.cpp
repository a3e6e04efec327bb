#include "patterns/row_evaluator.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

namespace {

// A row written as seven characters, equal characters for equal codes.
RowCodes rowOf(std::string_view text, std::int32_t firstCode = 1)
{
    RowCodes row{};
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char ch = text[i];
        const int index = ch >= 'A' ? ch - 'A' : ch - '0';
        row[i] = firstCode + index;
    }
    return row;
}

// A well whose row 5 holds the given codes, judged as the game judges it.
RowPattern classifyInWell(const RowCodes& row, RoundStatus& status)
{
    Grid grid{};
    grid.fill(wallCode);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int r = topRow; r <= bottomRow; ++r)
            cellAt(grid, column, r) = emptyCell;
        cellAt(grid, column, 5) = row[static_cast<std::size_t>(column - firstColumn)];
    }
    return RowEvaluator{}.classify(status, grid, {4, 5});
}

// Every way of splitting seven cells into classes of equal code, as
// restricted growth strings.
void arrangements(RowCodes& row, std::size_t at, std::int32_t classes, std::vector<RowCodes>& out)
{
    if (at == row.size()) {
        out.push_back(row);
        return;
    }
    for (std::int32_t code = 1; code <= classes + 1; ++code) {
        row[at] = code;
        arrangements(row, at + 1, std::max(classes, code), out);
    }
}

} // namespace

TEST(RowEvaluator, classifiesEveryArrangementOfSevenCellsIntoTheKnownCensus)
{
    std::vector<RowCodes> all;
    RowCodes row{};
    arrangements(row, 0, 0, all);
    ASSERT_EQ(all.size(), 877u);

    std::array<int, patternCount + 1> counts{};
    for (const RowCodes& arrangement : all) {
        RoundStatus status;
        status.lastPattern = 99;
        const RowPattern pattern = classifyInWell(arrangement, status);
        ASSERT_EQ(status.lastPattern, pattern);
        ++counts[static_cast<std::size_t>(pattern)];
    }
    const std::array<int, patternCount + 1> expected = {833, 8, 4, 1, 9, 1, 4, 5, 4, 4, 4};
    EXPECT_EQ(counts, expected);
}

TEST(RowEvaluator, everyChartExampleRowFormsItsPattern)
{
    struct Example {
        std::string_view row;
        RowPattern pattern;
    };
    const Example examples[] = {
        {"0011222", ThreePon},      {"0011122", ThreePon},     {"0001122", ThreePon},     {"0001222", ThreePon},
        {"0000111", TwoPon},        {"0001111", TwoPon},       {"0000011", TwoPon},       {"0011111", TwoPon},
        {"0101010", MixPunch},      {"0112220", Tamaro},       {"0111220", Tamaro},       {"0111110", Tamaro},
        {"0112110", Tamaro},        {"0122210", Tamaro},       {"0000000", ExtraPunch},   {"0121210", DoubleMixPunch},
        {"0012100", ContrastPunch}, {"0012121", PonMix},       {"1212100", PonMix},       {"0000121", MixExtraPunch},
        {"1210000", MixExtraPunch}, {"0001212", PremiumPunch}, {"1212000", PremiumPunch},
    };
    for (const Example& example : examples) {
        // Colours are only told apart by equality, so any renaming gives the same pattern.
        for (const std::int32_t first : {1, 4, 9}) {
            RoundStatus status;
            EXPECT_EQ(classifyInWell(rowOf(example.row, first), status), example.pattern)
                << example.row << " from code " << first;
            EXPECT_EQ(status.lastPattern, example.pattern);
        }
    }
}

TEST(RowEvaluator, earlierPatternsWinAndNearMissesFormNone)
{
    struct Case {
        std::string_view row;
        RowPattern pattern;
    };
    const Case cases[] = {
        {"AABBAAA", ThreePon},      {"AAABAAA", ThreePon},  {"AAAAAAB", NoPattern},      {"BAAAAAA", NoPattern},
        {"AABBBCC", ThreePon},      {"AAAABBB", TwoPon},    {"ABABABA", MixPunch},       {"ABBCBBA", Tamaro},
        {"ABBBBBA", Tamaro},        {"ABBABBA", Tamaro},    {"ABAAABA", Tamaro},         {"ABCCCBA", Tamaro},
        {"ABCCCDA", NoPattern},     {"ABBCDDA", Tamaro},    {"ABCBCBA", DoubleMixPunch}, {"ABACABA", DoubleMixPunch},
        {"AABABAA", ContrastPunch}, {"AABCDAA", NoPattern}, {"AAAABAB", MixExtraPunch},  {"AAAABCB", MixExtraPunch},
        {"ABAAAAA", NoPattern},     {"ABCDEAB", NoPattern}, {"ABCDEFG", NoPattern},
    };
    for (const Case& c : cases)
        EXPECT_EQ(classifyRow(rowOf(c.row)), c.pattern) << c.row;
}

TEST(RowEvaluator, anEmptyCellGivesNoPatternAndClearsTheLastOne)
{
    for (std::size_t hole = 0; hole < 7; ++hole) {
        RowCodes row = rowOf("AAAAAAA");
        row[hole] = emptyCell;
        RoundStatus status;
        status.lastPattern = ExtraPunch;
        EXPECT_EQ(classifyInWell(row, status), NoPattern);
        EXPECT_EQ(status.lastPattern, NoPattern);
    }
}

TEST(RowEvaluator, risenBlocksAreColoursOfTheirOwn)
{
    EXPECT_EQ(classifyRow({9, 9, 9, 9, 9, 9, 9}), ExtraPunch);
    EXPECT_EQ(classifyRow({12, 12, 12, 12, 12, 12, 12}), ExtraPunch);
    // Piece colour 1 beside block 9 reads as two colours, not as one.
    EXPECT_EQ(classifyRow({1, 1, 9, 9, 9, 1, 1}), ThreePon);
    EXPECT_EQ(classifyRow({1, 9, 1, 9, 1, 9, 1}), MixPunch);
}

TEST(RowEvaluator, neverJudgesTheWallRowOrTheFloor)
{
    Grid grid{};
    grid.fill(wallCode);
    for (const std::int32_t row : {wallRow, floorRow, -1, 13}) {
        RoundStatus status;
        status.lastPattern = Tamaro;
        EXPECT_EQ(RowEvaluator{}.classify(status, grid, {4, row}), NoPattern) << row;
        EXPECT_EQ(status.lastPattern, NoPattern);
    }
}

TEST(PatternTable, pointsAndStockMarksMatchWhatTheChartsShow)
{
    const std::array<std::int32_t, patternCount> hundreds = {1, 2, 6, 15, 7, 20, 5, 4, 8, 9};
    const std::array<std::int32_t, patternCount> marks = {0, 0, 1, 0, 1, 0, 1, 0, 1, 2};
    for (std::int32_t id = 1; id <= patternCount; ++id) {
        const auto slot = static_cast<std::size_t>(id - 1);
        EXPECT_EQ(patternValue(id).points, hundreds[slot] * 100) << id;
        EXPECT_EQ(patternValue(id).stockGain, marks[slot]) << id;
        EXPECT_EQ(patternValue(id).takesBonusRows, id == Tamaro || id == DoubleMixPunch) << id;
    }
    EXPECT_EQ(patternValue(0).points, 0);
    EXPECT_EQ(patternValue(11).points, 0);
    EXPECT_EQ(patternValue(-3).stockGain, 0);
}

TEST(PatternTable, bonusRowPatternsSpendOneMarkPerBonusRow)
{
    EXPECT_EQ(stockChange(Tamaro, 1), 0);
    EXPECT_EQ(stockChange(Tamaro, 3), -2);
    EXPECT_EQ(stockChange(DoubleMixPunch, 2), -1);
    EXPECT_EQ(stockChange(PremiumPunch, 1), 2);
    EXPECT_EQ(stockChange(ThreePon, 1), 0);
    EXPECT_EQ(stockChange(42, 5), 0);
}

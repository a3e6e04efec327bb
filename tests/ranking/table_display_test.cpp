#include "tests/ranking/ranking_fixture.h"

#include "ranking/table_display.h"

#include <cmath>
#include <limits>

namespace {

constexpr platform::Colour white = platform::rgb(255, 255, 255);
constexpr platform::Colour red = platform::rgb(255, 0, 0);

// The band of a line that no neighbouring line's text reaches.
platform::Rect lineBand(int rank, int left = 177, int right = 457)
{
    const int y = tableFirstY + tableLinePitch * (rank - 1);
    return platform::Rect{left, y + 8, right, y + 30};
}

int countColour(const platform::Surface& surface, const platform::Rect& area, platform::Colour colour)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += surface.pixel(x, y) == colour;
    return n;
}

// Rightmost column with a pixel of the colour, or -1.
int rightmostInk(const platform::Surface& surface, const platform::Rect& area, platform::Colour colour)
{
    for (int x = area.right - 1; x >= area.left; --x)
        for (int y = area.top; y < area.bottom; ++y)
            if (surface.pixel(x, y) == colour)
                return x;
    return -1;
}

} // namespace

TEST_F(RankingTest, withNoHighlightEveryLineIsWhiteOnBothSurfaces)
{
    window.screen().setTextColour(platform::rgb(1, 2, 3));
    window.screen().setBackgroundMode(platform::BackgroundMode::Opaque);
    makeRanking().drawTable(0);
    for (int rank = 1; rank <= 10; ++rank) {
        EXPECT_GT(countColour(canvas.backBuffer, lineBand(rank), white), 20) << "rank " << rank;
        EXPECT_GT(countColour(canvas.backBuffer, lineBand(rank, tableRankX, tableNameX), white), 0) << "rank " << rank;
        EXPECT_EQ(countColour(window.screen(), lineBand(rank), white),
                  countColour(canvas.backBuffer, lineBand(rank), white))
            << "the same lines in the same font on both, rank " << rank;
    }
    EXPECT_EQ(window.screen().textColour(), platform::rgb(1, 2, 3)) << "the screen's state is given back";
    EXPECT_EQ(window.screen().backgroundMode(), platform::BackgroundMode::Opaque);
    EXPECT_EQ(countColour(canvas.backBuffer, canvas.backBuffer.bounds(), red), 0);
    EXPECT_EQ(countColour(canvas.backBuffer, platform::Rect{0, 0, 639, 70}, white), 0);
    EXPECT_EQ(countColour(canvas.backBuffer, platform::Rect{0, 420, 639, 479}, white), 0)
        << "the spill row is not shown";
    ranking.reset();
    EXPECT_EQ(canvas.backBuffer.font(), nullptr) << "the back buffer keeps no font of a ranking that is gone";
}

TEST_F(RankingTest, theHighlightedRankAloneIsRed)
{
    makeRanking().drawTable(10);
    for (int rank = 1; rank <= 9; ++rank)
        EXPECT_EQ(countColour(canvas.backBuffer, lineBand(rank), red), 0) << "rank " << rank;
    EXPECT_GT(countColour(canvas.backBuffer, lineBand(10), red), 20);
    EXPECT_EQ(countColour(canvas.backBuffer, lineBand(10), white), 0);
    EXPECT_EQ(countColour(canvas.backBuffer, platform::Rect{0, 0, 639, tableFirstY + 9 * tableLinePitch}, red), 0);
    EXPECT_EQ(canvas.backBuffer.textColour(), red) << "the back buffer keeps the last colour";
    EXPECT_EQ(window.screen().font(), nullptr) << "the window gets its font back";
}

TEST_F(RankingTest, aZeroScoreIsOneDigitAndAnEmptyNameLeavesItsColumnBlank)
{
    makeRanking();
    ranking->entries[0].score = 0;
    setName(ranking->entries[0], "");
    ranking->drawTable(0);
    const platform::Surface& b = canvas.backBuffer;
    EXPECT_EQ(countColour(b, lineBand(1, tableNameX, tableScoreX - 2), white), 0);
    EXPECT_GT(countColour(b, lineBand(2, tableNameX, tableScoreX - 2), white), 0);
    const int oneDigit = rightmostInk(b, lineBand(1, tableScoreX, tableLabelX - 2), white);
    const int sixDigits = rightmostInk(b, lineBand(2, tableScoreX, tableLabelX - 2), white);
    EXPECT_GE(oneDigit, tableScoreX);
    EXPECT_EQ(sixDigits - oneDigit, 5 * 5) << "\"0\" and \"110000\" end in the same digit, five 5 px steps apart";
    EXPECT_GT(countColour(b, lineBand(1, tableLabelX, 457), white), 0) << "the label is still drawn";
}

TEST_F(RankingTest, scoresReadAsTheirDigitsAndDamagedOnesStillReadPlainly)
{
    EXPECT_EQ(formatScore(0), "0");
    EXPECT_EQ(formatScore(-0.0), "0");
    EXPECT_EQ(formatScore(200000), "200000");
    EXPECT_EQ(formatScore(99999999999), "99999999999");
    EXPECT_EQ(formatScore(-5), "-5");
    EXPECT_EQ(formatScore(7), "7");
    EXPECT_EQ(formatScore(1.5), "1.5");
    EXPECT_EQ(formatScore(1e15), "1e+15");
    EXPECT_EQ(formatScore(std::numeric_limits<double>::infinity()), "0") << "a damaged score shows as none";
    EXPECT_EQ(formatScore(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(formatScore(-std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(difficultyLabel(0), "すたんだーど");
    EXPECT_EQ(difficultyLabel(1), "ぷろふぇっしょなる");
    EXPECT_EQ(difficultyLabel(-7), "ぷろふぇっしょなる");
}

TEST_F(RankingTest, aHostileFileLoadsDrawsAndComparesSafely)
{
    auto bytes = defaultFileBytes();
    const std::string noNul = "\x82\xa0"
                              "ABCDEFGH"
                              "\x81\xff"; // ends in a lead byte with a bad trail
    std::copy(noNul.begin(), noNul.end(), bytes.begin() + 8);
    const auto nan = rowBytes(std::numeric_limits<double>::quiet_NaN(), "\xff\xfe", -9);
    std::copy(nan.begin(), nan.end(), bytes.begin() + 24);
    const auto inf = rowBytes(-std::numeric_limits<double>::infinity(), "\x81", 7);
    std::copy(inf.begin(), inf.end(), bytes.begin() + 48);
    writeFile(bytes);
    makeRanking().load();
    EXPECT_EQ(nameText(ranking->entries[0]).size(), 12u) << "a name without NUL ends at its twelfth byte";
    ranking->drawTable(2);
    EXPECT_GT(countColour(canvas.backBuffer, lineBand(1, tableNameX, tableScoreX - 2), white), 0);
    EXPECT_GT(countColour(canvas.backBuffer, lineBand(2), red), 0);
    EXPECT_GT(countColour(canvas.backBuffer, lineBand(3, tableScoreX, tableLabelX - 2), white), 0);
    EXPECT_EQ(enterWithName(150000, "Q"), 2) << "a NaN row ranks below every score";
    ranking->save();
    const auto after = fileBytes();
    EXPECT_EQ(std::string(after.begin() + 8, after.begin() + 20), noNul) << "the damaged name is kept as it was";
}

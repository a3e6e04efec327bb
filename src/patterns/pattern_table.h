#pragma once

#include <array>
#include <cstdint>

// The ten scoring patterns in their order of precedence; 0 is no pattern.
enum RowPattern : std::int32_t {
    NoPattern = 0,
    ThreePon = 1,
    TwoPon = 2,
    MixPunch = 3,
    Tamaro = 4,
    ExtraPunch = 5,
    DoubleMixPunch = 6,
    ContrastPunch = 7,
    PonMix = 8,
    MixExtraPunch = 9,
    PremiumPunch = 10,
};

inline constexpr int patternCount = 10;

// The names as the game shows them, pattern 1 first.
inline constexpr std::array<const char*, patternCount> patternNamesUtf8{
    "すりーポン",
    "つーポン",
    "みっくすパンチ",
    "たまろ",
    "えくすとらパンチ",
    "だぶるみっくすパンチ",
    "こんとらすとパンチ",
    "ポンみっくす",
    "みっくすえくすとらパンチ",
    "ぷれみあむパンチ",
};

// What a pattern is worth. Points are per removed row. Patterns that take
// bonus rows spend one stock mark per bonus row instead of gaining marks.
struct PatternValue {
    std::int32_t points = 0;
    std::int32_t stockGain = 0;
    bool takesBonusRows = false;
};

// Indexed by pattern id; entry 0 stands for no pattern and is worth nothing.
inline constexpr std::array<PatternValue, patternCount + 1> patternValues = {{
    {0, 0, false},
    {100, 0, false},
    {200, 0, false},
    {600, 1, false},
    {1500, 0, true},
    {700, 1, false},
    {2000, 0, true},
    {500, 1, false},
    {400, 0, false},
    {800, 1, false},
    {900, 2, false},
}};

// Any id outside 1..10 is worth nothing.
constexpr const PatternValue& patternValue(std::int32_t pattern)
{
    return pattern >= 1 && pattern <= patternCount ? patternValues[static_cast<std::size_t>(pattern)]
                                                   : patternValues[0];
}

// The change of the stock for a landing that removed rowsThisLock rows with
// this pattern: the landing row counts once, every further row is a bonus row.
constexpr std::int32_t stockChange(std::int32_t pattern, std::int32_t rowsThisLock)
{
    const PatternValue& value = patternValue(pattern);
    return value.stockGain + (value.takesBonusRows ? 1 - rowsThisLock : 0);
}

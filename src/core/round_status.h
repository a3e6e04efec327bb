#pragma once

#include <array>
#include <cstdint>

// The state of the running game that the rest of the game reads. The view
// keeps a byte copy of it, so its layout is fixed: 48 bytes.
struct RoundStatus {
    double score = 0.0;
    std::int32_t rowsCleared = 0;
    std::int32_t stock = 0;
    std::int32_t stageLength = 0;
    std::int32_t stageRemaining = 0;
    std::int32_t nextColour = 0;
    std::int32_t dropInterval = 0;
    std::int32_t riseInterval = 0;
    std::int32_t rowsThisLock = 0;
    std::int32_t lastPattern = 0;
    std::int32_t colourCount = 0;
};

static_assert(sizeof(RoundStatus) == 48, "RoundStatus is copied as exactly 48 bytes");

inline constexpr std::int32_t maxStock = 10;
inline constexpr std::int32_t maxColourCount = 4;
inline constexpr std::int32_t dropIntervalStep = 500;
inline constexpr std::int32_t minDropInterval = 200;

// The values every game starts from.
inline constexpr RoundStatus newGameStatus{
    .score = 0.0,
    .rowsCleared = 0,
    .stock = 0,
    .stageLength = 0,
    .stageRemaining = 0,
    .nextColour = 1,
    .dropInterval = 2000,
    .riseInterval = 100,
    .rowsThisLock = 0,
    .lastPattern = 1,
    .colourCount = 1,
};

// Lengths in ms of the stages after each of which a row rises; -1 ends the
// table, and each pass through it makes the drop faster.
inline constexpr std::array<std::int32_t, 14> riseSchedule = {
    100000, 30000, 20000, 19000, 18000, 17000, 16000, 15000, 14000, 13000, 12000, 11000, 10000, -1,
};

// Loads the stage at riseStep and moves riseStep on. At the end of the table
// the drop interval shortens and the first stage starts again. Each stage
// adds one colour to the window of piece colours, up to four.
void loadRiseStage(RoundStatus& status, std::int32_t& riseStep);

// One tick of the rise countdown; true when a row is due to rise now.
bool countDownRise(RoundStatus& status);

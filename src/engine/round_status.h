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

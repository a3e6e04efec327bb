#include "core/round_status.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(RoundStatus, newGameValues)
{
    const RoundStatus s = newGameStatus;
    EXPECT_EQ(s.score, 0.0);
    EXPECT_EQ(s.rowsCleared, 0);
    EXPECT_EQ(s.stock, 0);
    EXPECT_EQ(s.stageLength, 0);
    EXPECT_EQ(s.stageRemaining, 0);
    EXPECT_EQ(s.nextColour, 1);
    EXPECT_EQ(s.dropInterval, 2000);
    EXPECT_EQ(s.riseInterval, 100);
    EXPECT_EQ(s.rowsThisLock, 0);
    EXPECT_EQ(s.lastPattern, 1);
    EXPECT_EQ(s.colourCount, 1);
}

TEST(RoundStatus, layoutIsTheFixedByteLayout)
{
    RoundStatus s = newGameStatus;
    s.score = 1500.0;
    s.colourCount = 4;
    unsigned char bytes[48];
    std::memcpy(bytes, &s, sizeof bytes);
    double score = 0;
    std::memcpy(&score, bytes, 8);
    std::int32_t dropInterval = 0;
    std::int32_t colourCount = 0;
    std::memcpy(&dropInterval, bytes + 28, 4);
    std::memcpy(&colourCount, bytes + 44, 4);
    EXPECT_EQ(score, 1500.0);
    EXPECT_EQ(dropInterval, 2000);
    EXPECT_EQ(colourCount, 4);
}

// Runs the rise countdown as the game's rise timer does, tick by tick.
TEST(RiseSchedule, stagesRiseOnTheTickBelowZeroAndEachPassSpeedsTheDrop)
{
    RoundStatus s = newGameStatus;
    std::int32_t riseStep = 0;
    bool due = true;
    std::vector<std::int32_t> stages;
    std::vector<std::int32_t> colourCounts;
    std::vector<std::int32_t> intervals;
    long ticks = 0;
    long ticksOfFirstPass = 0;
    int rises = 0;
    while (rises < 13 * 6) {
        if (due) {
            loadRiseStage(s, riseStep);
            due = false;
            stages.push_back(s.stageLength);
            colourCounts.push_back(s.colourCount);
            ASSERT_GT(s.stageLength, 0);
            ASSERT_EQ(s.stageRemaining, s.stageLength);
        }
        ++ticks;
        if (countDownRise(s)) {
            EXPECT_EQ(s.stageRemaining, -100);
            ++rises;
            due = true;
            if (rises % 13 == 0)
                intervals.push_back(s.dropInterval);
            if (rises == 13)
                ticksOfFirstPass = ticks;
        }
    }
    EXPECT_EQ(std::vector<std::int32_t>(stages.begin(), stages.begin() + 13),
              (std::vector<std::int32_t>{100000, 30000, 20000, 19000, 18000, 17000, 16000, 15000, 14000, 13000, 12000,
                                         11000, 10000}));
    for (std::size_t i = 13; i < stages.size(); ++i)
        ASSERT_EQ(stages[i], stages[i - 13]) << "every pass runs the same stages, stage " << i;
    EXPECT_EQ(std::vector<std::int32_t>(colourCounts.begin(), colourCounts.begin() + 4),
              (std::vector<std::int32_t>{2, 3, 4, 4}));
    // The drop interval as it stands at the end of each pass.
    EXPECT_EQ(intervals, (std::vector<std::int32_t>{2000, 1500, 1000, 500, 200, 200}));
    EXPECT_EQ(ticksOfFirstPass, 295000 / 100 + 13);
}

#include "platform/clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

using platform::Clock;

namespace {

// Every test leaves the one clock in real time, as the program runs it.
struct ClockTest : ::testing::Test {
    void TearDown() override { Clock::instance().useRealTime(); }
};

} // namespace

TEST_F(ClockTest, SimulatedPausesAreRecordedAndAdvanceTheCalendar)
{
    Clock& clock = Clock::instance();
    clock.simulate(1'000'000);
    EXPECT_TRUE(clock.simulated());
    EXPECT_EQ(clock.calendarSeconds(), 1'000'000);

    const auto before = std::chrono::steady_clock::now();
    clock.sleep(90);
    clock.sleep(2850);
    clock.sleep(10);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));

    EXPECT_EQ(clock.pauses(), (std::vector<int>{90, 2850, 10}));
    EXPECT_EQ(clock.simulatedMs(), 2950);
    EXPECT_EQ(clock.calendarSeconds(), 1'000'002);

    clock.clearPauses();
    EXPECT_TRUE(clock.pauses().empty());
    EXPECT_EQ(clock.simulatedMs(), 2950);
}

TEST_F(ClockTest, SimulatingAgainStartsFromTheNewTime)
{
    Clock& clock = Clock::instance();
    clock.simulate(50);
    clock.sleep(1500);
    clock.simulate(7);
    EXPECT_TRUE(clock.pauses().empty());
    EXPECT_EQ(clock.simulatedMs(), 0);
    EXPECT_EQ(clock.calendarSeconds(), 7);
}

TEST_F(ClockTest, RealTimeSleepsAndReadsTheCalendar)
{
    Clock& clock = Clock::instance();
    clock.simulate(5);
    clock.useRealTime();
    EXPECT_FALSE(clock.simulated());

    const auto before = std::chrono::steady_clock::now();
    clock.sleep(30);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(30));
    EXPECT_TRUE(clock.pauses().empty());

    const std::int64_t now = std::time(nullptr);
    EXPECT_GE(clock.calendarSeconds(), now);
    EXPECT_LE(clock.calendarSeconds(), now + 1);
}

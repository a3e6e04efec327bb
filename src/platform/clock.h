#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Blocking pauses and the calendar time go through here, so that a test can
// run the game's pauses without sleeping and choose the time of day.
class Clock {
public:
    static Clock& instance();

    void sleep(int ms);
    std::int64_t calendarSeconds() const;

    // Simulated mode: sleep only records the pause and advances simulated time.
    void simulate(std::int64_t calendarSeconds);
    void useRealTime();
    bool simulated() const { return simulated_; }
    const std::vector<int>& pauses() const { return pauses_; }
    void clearPauses() { pauses_.clear(); }
    std::int64_t simulatedMs() const { return simulatedMs_; }

private:
    bool simulated_ = false;
    std::int64_t simulatedSeconds_ = 0;
    std::int64_t simulatedMs_ = 0;
    std::vector<int> pauses_;
};

} // namespace platform

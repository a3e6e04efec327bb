#include "platform/clock.h"

// The simulated clock's controls: only tests and the screenshot maker run the
// game on a clock they set.
namespace platform {

void Clock::simulate(std::int64_t calendarSeconds)
{
    simulated_ = true;
    simulatedSeconds_ = calendarSeconds;
    simulatedMs_ = 0;
    pauses_.clear();
}

void Clock::useRealTime()
{
    simulated_ = false;
    pauses_.clear();
    simulatedMs_ = 0;
}

} // namespace platform

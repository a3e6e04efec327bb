#include "platform/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace platform {

Clock& Clock::instance()
{
    static Clock clock;
    return clock;
}

void Clock::sleep(int ms)
{
    if (!simulated_) {
        if (ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    pauses_.push_back(ms);
    if (ms > 0)
        simulatedMs_ += ms;
}

std::int64_t Clock::calendarSeconds() const
{
    if (simulated_)
        return simulatedSeconds_ + simulatedMs_ / 1000;
    return static_cast<std::int64_t>(std::time(nullptr));
}

} // namespace platform

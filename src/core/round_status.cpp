#include "core/round_status.h"

#include <algorithm>

void loadRiseStage(RoundStatus& status, std::int32_t& riseStep)
{
    const auto last = static_cast<std::int32_t>(riseSchedule.size()) - 1;
    status.stageLength = riseSchedule[static_cast<std::size_t>(std::clamp(riseStep, 0, last))];
    ++riseStep;
    if (status.stageLength < 0) {
        status.dropInterval = std::max(status.dropInterval - dropIntervalStep, minDropInterval);
        status.stageLength = riseSchedule[0];
        riseStep = 1;
    }
    status.stageRemaining = status.stageLength;
    status.colourCount = std::min(status.colourCount + 1, maxColourCount);
}

bool countDownRise(RoundStatus& status)
{
    status.stageRemaining -= status.riseInterval;
    return status.stageRemaining < 0;
}

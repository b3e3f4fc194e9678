#include "CountPace.h"

#include <algorithm>

void CountPace::Start(Time now)
{
    start = now;
    taken = 0;
}

CountPace::Time CountPace::RunDueSteps(Time now, const std::function<bool()> &step)
{
    const long long due = now < start ? 0 : (now - start) / interval;
    while (taken < due) {
        ++taken;
        if (!step())
            break;
    }
    return start + (taken + 1) * interval - now;
}

long long CountPace::WakeAfterMs(Time untilNext)
{
    return std::max<long long>(MinimumWakeMs, std::chrono::ceil<std::chrono::milliseconds>(untilNext).count());
}

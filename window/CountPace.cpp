#include "CountPace.h"

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

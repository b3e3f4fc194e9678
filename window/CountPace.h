// Keeps the count on its 50 ms beat where the platform's timer cannot: step n
// is due at start + n × interval on a steady clock the face reads, and every
// wake of the timer runs the steps that have fallen due since the last one,
// so a late or lost timer message delays a step but never skips, repeats or
// drifts it. Which timer wakes it, and which clock it reads, is the face's.
#pragma once

#include <chrono>
#include <functional>

class CountPace {
public:
    using Time = std::chrono::nanoseconds; // on the face's steady clock

    // The shortest wait a platform timer is asked for, in ms (Windows' floor).
    static constexpr long long MinimumWakeMs = 10;

    explicit CountPace(Time interval) : interval(interval) {}

    // The count starts now: its first step is due one interval later.
    void Start(Time now);
    // Runs step once for each step due by now, until it returns false (the
    // count has ended). Returns how long from now the next step is due.
    Time RunDueSteps(Time now, const std::function<bool()> &step);
    // The wait to ask the timer for, in whole ms, so it wakes once the next
    // step is due and not before.
    static long long WakeAfterMs(Time untilNext);

private:
    Time interval;
    Time start{};
    long long taken = 0;
};

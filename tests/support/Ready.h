// How long a test waits for anything to be ready or done (a window, a
// server, a recording, a count): far more than a loaded machine needs. Every
// wait ends the moment its condition holds, so this only bounds a failure.
#pragma once

#include <QByteArray>
#include <QTest>

inline constexpr int ReadyMs = 60000;

// What must not happen: the condition is watched all the while, not looked at
// once after a sleep, and the watch fails the moment it stops holding.
template <typename Condition>
bool Stays(Condition condition, int ms)
{
    return !QTest::qWaitFor([&] { return !condition(); }, ms);
}

// A sanitizer's or valgrind's build runs many times slower: there the cues'
// order and count are checked, not their timing.
inline bool TimingChecked()
{
    return qgetenv("MINUKAPE_UNTIMED").isEmpty();
}

// How long a test waits for anything to be ready or done (a window, a
// server, a recording, a count): far more than a loaded machine needs. Every
// wait ends the moment its condition holds, so this only bounds a failure.
#pragma once

#include <QByteArray>

inline constexpr int ReadyMs = 60000;

// A sanitizer's or valgrind's build runs many times slower: there the cues'
// order and count are checked, not their timing.
inline bool TimingChecked()
{
    return qgetenv("MINUKAPE_UNTIMED").isEmpty();
}

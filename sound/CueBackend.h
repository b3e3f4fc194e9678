// What each platform provides to play a cue: one call that starts a sound
// file and returns at once. One implementation per platform, chosen by the
// build: CueBackendCanberra.cpp (Linux), CueBackendWindows.cpp, CueBackendNone.cpp.
#pragma once

#include <QString>

namespace CueBackend {

// Cuts off the cue still playing, if any, and starts file; when file is
// empty, missing or cannot be decoded, starts fallback instead, and when that
// fails too, stays silent. The back end is set up on the first call.
void Play(const QString &file, const QString &fallback);

} // namespace CueBackend

// What each platform provides to play a cue: one call that starts a sound
// file and returns at once, and where the running program lies. One
// implementation per platform, chosen by the build: CueBackendCanberra.cpp
// (Linux), CueBackendWinmm.cpp (Windows), CueBackendNone.cpp.
#pragma once

#include <filesystem>

namespace CueBackend {

// Cuts off the cue still playing, if any, and starts file; when file is
// empty, missing or cannot be decoded, starts fallback instead, and when that
// fails too, stays silent. The back end is set up on the first call.
void Play(const std::filesystem::path &file, const std::filesystem::path &fallback);

// Sets the back end up ahead of the first cue, on a thread of its own, and
// returns at once: where opening the sound takes longer than a step, the
// first cue would otherwise come late.
void Prepare();

// The folder the running program file lies in.
std::filesystem::path ProgramFolder();

} // namespace CueBackend

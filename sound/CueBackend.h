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

// The folder the running program file lies in.
std::filesystem::path ProgramFolder();

} // namespace CueBackend

// The web page's cues need fetching and decoding before they can play:
// FetchCue fetches a cue's sound as the page starts, LoadCue decodes it once
// the page may make sound, both ahead of the cue's first play, so no cue is
// late at its own moment; then CueLengthMs knows how long each plays.
// PlayCue itself is Module1.h's; both are PlayCueWebAudio.cpp's on the web.
#pragma once

#include <string_view>

void FetchCue(std::u16string_view cueName);
void LoadCue(std::u16string_view cueName);

// How long the cue's sound plays, once it has loaded; 0 before, or for a
// cue with no sound at all.
int CueLengthMs(std::u16string_view cueName);

// The web page's cues need fetching before they can play: LoadCue starts
// that ahead of a cue's first play, so no cue is late at its own moment,
// and then knows how long each plays.
// PlayCue itself is Module1.h's; both are PlayCueWebAudio.cpp's on the web.
#pragma once

#include <string_view>

void LoadCue(std::u16string_view cueName);

// How long the cue's sound plays, once it has loaded; 0 before, or for a
// cue with no sound at all.
int CueLengthMs(std::u16string_view cueName);

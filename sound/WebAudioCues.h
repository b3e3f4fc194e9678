// The web page's cues need fetching before they can play: LoadCue starts
// that ahead of a cue's first play, so no cue is late at its own moment.
// PlayCue itself is Module1.h's; both are PlayCueWebAudio.cpp's on the web.
#pragma once

#include <string_view>

void LoadCue(std::u16string_view cueName);

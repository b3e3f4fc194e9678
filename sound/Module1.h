// The program's sound cues: PlayCue starts a named sound and returns at once.
// Which sound file a name stands for is decided here (CueFiles.h); playing it
// is left to the platform's back end (CueBackend.h).
#pragma once

#include <string_view>

// Plays the sound named like "./Sound/Kin" (resolved against the current
// directory), cutting off any cue still playing. Never waits, never reports:
// a cue with no playable sound plays the program's default sound, and with no
// sound device at all nothing happens.
void PlayCue(std::u16string_view cueName);

// Readies the sound ahead of the first cue, without waiting for it.
void PrepareCues();

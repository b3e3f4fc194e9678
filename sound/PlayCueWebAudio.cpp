#include "Module1.h"
#include "WebAudioCues.h"

// PlayCueWebAudio.js: Web Audio, on the page's side.
extern "C" {
void play_cue(const char16_t *name, int length);
void fetch_cue(const char16_t *name, int length);
void load_cue(const char16_t *name, int length);
int cue_length_ms(const char16_t *name, int length);
}

void PlayCue(std::u16string_view cueName)
{
    play_cue(cueName.data(), int(cueName.size()));
}

// A page may start its audio only on a person's key or press: LoadCue
// does it then.
void PrepareCues() {}

void FetchCue(std::u16string_view cueName)
{
    fetch_cue(cueName.data(), int(cueName.size()));
}

void LoadCue(std::u16string_view cueName)
{
    load_cue(cueName.data(), int(cueName.size()));
}

int CueLengthMs(std::u16string_view cueName)
{
    return cue_length_ms(cueName.data(), int(cueName.size()));
}

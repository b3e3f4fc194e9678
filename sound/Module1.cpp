#include "Module1.h"

#include "CueBackend.h"
#include "CueFiles.h"

void PlayCue(std::u16string_view cueName)
{
    // The default sound lies beside the program and does not move; the cue's
    // own file is looked for afresh each time, in the current directory.
    static const std::filesystem::path fallback = DefaultCueFile(CueBackend::ProgramFolder());
    CueBackend::Play(ResolveCueFile(cueName), fallback);
}

void PrepareCues()
{
    CueBackend::Prepare();
}

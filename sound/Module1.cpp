#include "Module1.h"

#include "CueBackend.h"
#include "CueFiles.h"

void PlayCue(const QString &cueName)
{
    // The default sound lies beside the program and does not move; the cue's
    // own file is looked for afresh each time, in the current directory.
    static const QString fallback = DefaultCueFile();
    CueBackend::Play(ResolveCueFile(cueName), fallback);
}

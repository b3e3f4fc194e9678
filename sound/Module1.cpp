#include "Module1.h"

#include "CueBackend.h"
#include "CueFiles.h"

void PlayCue(const QString &cueName)
{
    CueBackend::Play(ResolveCueFile(cueName), DefaultCueFile());
}

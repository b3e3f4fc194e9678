#include "CueBackend.h"

// Platforms without a sound back end of ours: cues are silent.
void CueBackend::Play(const QString &, const QString &) {}

#include "CueBackend.h"

// Platforms without a sound back end of ours: cues are silent.
void CueBackend::Play(const std::filesystem::path &, const std::filesystem::path &) {}

void CueBackend::Prepare() {}

std::filesystem::path CueBackend::ProgramFolder()
{
    return {};
}

#include "CueBackend.h"

#include <windows.h>
#include <mmsystem.h>

// PlaySound starts the file and returns; SND_ASYNC cuts off a cue still
// playing. SND_NODEFAULT keeps Windows' own sound out of it: the program's
// default sound stands in for a missing cue, as on every platform.
void CueBackend::Play(const QString &file, const QString &fallback)
{
    const DWORD flags = SND_ASYNC | SND_FILENAME | SND_NODEFAULT;
    for (const QString &candidate : {file, fallback}) {
        if (candidate.isEmpty())
            continue;
        if (PlaySoundW(reinterpret_cast<LPCWSTR>(candidate.utf16()), nullptr, flags))
            return;
    }
}

#include "CueBackend.h"

#include <windows.h>
#include <mmsystem.h>

#include "CueFiles.h"

namespace {

using PlaySoundFunction = BOOL(WINAPI *)(LPCWSTR, HMODULE, DWORD);
using CountDevicesFunction = UINT(WINAPI *)();

template <typename Function>
Function Bound(HMODULE winmm, const char *name)
{
    return winmm ? reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(winmm, name))) : nullptr;
}

// winmm is bound on the first cue or by Prepare, not at start-up, and kept
// for the program's life.
HMODULE Winmm()
{
    static const HMODULE winmm = LoadLibraryW(L"winmm.dll");
    return winmm;
}

PlaySoundFunction BoundPlaySound()
{
    static const PlaySoundFunction play = Bound<PlaySoundFunction>(Winmm(), "PlaySoundW");
    return play;
}

// Counting the output devices loads the system's audio driver and connects
// it to the sound server, which the first cue would otherwise wait for.
DWORD WINAPI SetUp(void *)
{
    if (const auto count = Bound<CountDevicesFunction>(Winmm(), "waveOutGetNumDevs"))
        count();
    BoundPlaySound();
    return 0;
}

} // namespace

// An asynchronous PlaySound answers TRUE before it has even opened the file,
// so it can never say that a cue is missing or unplayable: the file is
// chosen, and checked, before the call. SND_NODEFAULT keeps Windows' own
// sound out of it, since the program's default sound stands in for a
// missing cue as on every platform; a new cue cuts off the one playing.
void CueBackend::Play(const std::filesystem::path &file, const std::filesystem::path &fallback)
{
    const PlaySoundFunction play = BoundPlaySound();
    if (!play)
        return;
    const std::filesystem::path &chosen = !file.empty() && LooksLikeWav(file) ? file : fallback;
    if (chosen.empty())
        return;
    play(chosen.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
}

void CueBackend::Prepare()
{
    if (const HANDLE thread = CreateThread(nullptr, 0, SetUp, nullptr, 0, nullptr))
        CloseHandle(thread);
}

std::filesystem::path CueBackend::ProgramFolder()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    return std::filesystem::path(std::wstring(path, length)).parent_path();
}

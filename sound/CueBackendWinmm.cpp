#include "CueBackend.h"

#include <windows.h>
#include <mmsystem.h>

#include "CueFiles.h"

namespace {

using PlaySoundFunction = BOOL(WINAPI *)(LPCWSTR, HMODULE, DWORD);

// winmm is bound on the first cue or by Prepare, not at start-up, and kept
// for the program's life.
PlaySoundFunction BoundPlaySound()
{
    static const PlaySoundFunction play = [] {
        const HMODULE winmm = LoadLibraryW(L"winmm.dll");
        return winmm ? reinterpret_cast<PlaySoundFunction>(
                           reinterpret_cast<void *>(GetProcAddress(winmm, "PlaySoundW")))
                     : nullptr;
    }();
    return play;
}

// 10 ms of silence, in the cues' own format (16-bit mono PCM at 44.1 kHz).
struct SilentWav {
    char riff[4] = {'R', 'I', 'F', 'F'};
    DWORD riffSize = sizeof(SilentWav) - 8;
    char wave[4] = {'W', 'A', 'V', 'E'};
    char fmt[4] = {'f', 'm', 't', ' '};
    DWORD fmtSize = 16;
    WORD format = WAVE_FORMAT_PCM, channels = 1;
    DWORD rate = 44100, bytesPerSecond = 88200;
    WORD blockAlign = 2, bits = 16;
    char data[4] = {'d', 'a', 't', 'a'};
    DWORD dataSize = sizeof(samples);
    SHORT samples[442] = {};
};
static_assert(sizeof(SilentWav) == 44 + sizeof(SilentWav::samples), "a WAV file's bytes, unpadded");

// Playing silence once loads what every cue needs (the audio driver, its
// connection to the sound server, the format converter), which the first
// cue would otherwise wait for.
DWORD WINAPI SetUp(void *)
{
    static const SilentWav silence;
    if (const PlaySoundFunction play = BoundPlaySound())
        play(reinterpret_cast<LPCWSTR>(&silence), nullptr, SND_MEMORY | SND_SYNC | SND_NODEFAULT);
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

#include "CueBackend.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "CueFiles.h"

namespace {

// winmm's wave output, bound on the first cue or by Prepare, not at start-up.
struct Winmm {
    decltype(&waveOutOpen) open = nullptr;
    decltype(&waveOutReset) reset = nullptr;
    decltype(&waveOutPrepareHeader) prepare = nullptr;
    decltype(&waveOutUnprepareHeader) unprepare = nullptr;
    decltype(&waveOutWrite) write = nullptr;
    decltype(&waveOutClose) close = nullptr;

    bool Bind()
    {
        const HMODULE winmm = LoadLibraryW(L"winmm.dll");
        return winmm && Resolve(winmm, open, "waveOutOpen") && Resolve(winmm, reset, "waveOutReset")
            && Resolve(winmm, prepare, "waveOutPrepareHeader") && Resolve(winmm, unprepare, "waveOutUnprepareHeader")
            && Resolve(winmm, write, "waveOutWrite") && Resolve(winmm, close, "waveOutClose");
    }

    template <typename Function>
    static bool Resolve(HMODULE winmm, Function &function, const char *name)
    {
        function = reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(winmm, name)));
        return function != nullptr;
    }
};

struct Request {
    std::filesystem::path file;
    std::filesystem::path fallback;
    bool silence = false; // 10 ms of silence, to open the device ahead of the first cue
};

// 10 ms of silence in the cues' own format, 16-bit mono PCM at 44.1 kHz.
WavSound Silence()
{
    const WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 44100, 88200, 2, 16, 0};
    const auto *bytes = reinterpret_cast<const char *>(&format);
    return {{bytes, bytes + sizeof format}, std::vector<char>(882)};
}

// The cues play on one wave output device, opened in the first cue's format
// and kept open, so that a cue does not wait for a device to open and close:
// a new cue resets it, which cuts off the one playing, and writes its sound.
// A stuck driver must not hold up the window, so every call runs on one
// worker thread and the window only hands over the newest request; one the
// worker has not started when a newer one arrives is dropped, since the
// newer cue would cut it off at once anyway.
class WaveOutWorker {
public:
    WaveOutWorker()
    {
        if (const HANDLE thread = CreateThread(nullptr, 0, Run, this, 0, nullptr))
            CloseHandle(thread);
    }

    void Post(Request request)
    {
        AcquireSRWLockExclusive(&lock_);
        pending_ = std::move(request);
        ReleaseSRWLockExclusive(&lock_);
        WakeConditionVariable(&wake_);
    }

private:
    static DWORD WINAPI Run(void *self)
    {
        auto *worker = static_cast<WaveOutWorker *>(self);
        for (;;)
            worker->Play(worker->Next());
    }

    Request Next()
    {
        AcquireSRWLockExclusive(&lock_);
        while (!pending_)
            SleepConditionVariableSRW(&wake_, &lock_, INFINITE, 0);
        Request request = std::move(*pending_);
        pending_.reset();
        ReleaseSRWLockExclusive(&lock_);
        return request;
    }

    void Play(const Request &request)
    {
        if (!bound_)
            bound_ = winmm_.Bind();
        if (!*bound_)
            return;
        if (request.silence) {
            Start(Silence());
            return;
        }
        std::optional<WavSound> sound = request.file.empty() ? std::nullopt : ReadWav(request.file);
        if (!sound || !Start(std::move(*sound))) {
            if (std::optional<WavSound> fallback = ReadWav(request.fallback))
                Start(std::move(*fallback));
        }
    }

    // Cuts off what plays and starts sound; false when the device takes
    // neither its format nor its data, and then it is closed, to be opened
    // afresh by the next cue (the sound server may be back by then).
    bool Start(WavSound sound)
    {
        // WAVEFORMATEX's last field, which a PCM format chunk leaves out.
        sound.format.resize(std::max(sound.format.size(), sizeof(WAVEFORMATEX)));
        if (device_ && sound.format != format_)
            Close();
        if (!device_) {
            const auto *format = reinterpret_cast<const WAVEFORMATEX *>(sound.format.data());
            if (winmm_.open(&device_, WAVE_MAPPER, format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
                device_ = nullptr;
                return false;
            }
            format_ = sound.format;
        }
        Stop();
        const DWORD block = std::max<DWORD>(reinterpret_cast<const WAVEFORMATEX *>(format_.data())->nBlockAlign, 1);
        playing_ = std::move(sound.data);
        header_ = {};
        header_.lpData = playing_.data();
        header_.dwBufferLength = DWORD(playing_.size()) / block * block;
        prepared_ = winmm_.prepare(device_, &header_, sizeof header_) == MMSYSERR_NOERROR;
        if (prepared_ && winmm_.write(device_, &header_, sizeof header_) == MMSYSERR_NOERROR)
            return true;
        Close();
        return false;
    }

    void Stop()
    {
        winmm_.reset(device_);
        if (prepared_)
            winmm_.unprepare(device_, &header_, sizeof header_);
        prepared_ = false;
    }

    void Close()
    {
        Stop();
        winmm_.close(device_);
        device_ = nullptr;
    }

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE wake_ = CONDITION_VARIABLE_INIT;
    std::optional<Request> pending_;
    // Touched by the worker thread only:
    Winmm winmm_;
    std::optional<bool> bound_;
    HWAVEOUT device_ = nullptr;
    std::vector<char> format_;
    WAVEHDR header_{};
    bool prepared_ = false;
    std::vector<char> playing_;
};

// Made on the first cue or by Prepare and never destroyed: leaving the
// program must not wait for a worker that may be stuck in the driver.
WaveOutWorker &Worker()
{
    static WaveOutWorker *const worker = new WaveOutWorker;
    return *worker;
}

} // namespace

void CueBackend::Play(const std::filesystem::path &file, const std::filesystem::path &fallback)
{
    Worker().Post({file, fallback});
}

// Opening the device loads the audio driver, connects it to the sound server
// and readies the format converter, which under Wine kept the first cue
// 65-85 ms past its step when the cue had to wait for it.
void CueBackend::Prepare()
{
    Worker().Post({{}, {}, true});
}

std::filesystem::path CueBackend::ProgramFolder()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    return std::filesystem::path(std::wstring(path, length)).parent_path();
}

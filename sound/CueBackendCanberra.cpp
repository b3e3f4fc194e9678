#include "CueBackend.h"

#include <QtGlobal>
#include <canberra.h>
#include <condition_variable>
#include <dlfcn.h>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

namespace {

// Every cue plays under one id, so cancelling it cuts off whatever cue plays.
constexpr std::uint32_t CueId = 1;

struct Request {
    std::string file;
    std::string fallback;
};

// libcanberra is bound on the first cue, not at start-up: the program opens
// its window without loading the sound libraries, and one that has none still
// runs, silently.
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_context_cancel) cancel = nullptr;
    decltype(&ca_strerror) strerror = nullptr;

    bool Bind()
    {
        void *library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return false;
        return Resolve(library, create, "ca_context_create") && Resolve(library, open, "ca_context_open")
            && Resolve(library, destroy, "ca_context_destroy")
            && Resolve(library, changeProps, "ca_context_change_props")
            && Resolve(library, play, "ca_context_play") && Resolve(library, cancel, "ca_context_cancel")
            && Resolve(library, strerror, "ca_strerror");
    }

    template <typename Function>
    static bool Resolve(void *library, Function &function, const char *name)
    {
        function = reinterpret_cast<Function>(dlsym(library, name));
        return function != nullptr;
    }
};

bool ServerGone(int result)
{
    return result == CA_ERROR_NOTAVAILABLE || result == CA_ERROR_DISCONNECTED
        || result == CA_ERROR_STATE || result == CA_ERROR_NODRIVER;
}

// libcanberra talks to the sound server, and a stuck or vanished server can
// block a call, so every call runs on one worker thread and the GUI thread only
// hands over the newest request. A request the worker has not started when a
// newer one arrives is dropped: the newer cue would cut it off at once anyway.
class CanberraWorker {
public:
    CanberraWorker()
    {
        std::thread([this] { Run(); }).detach();
    }

    void Post(Request request)
    {
        {
            std::lock_guard lock(mutex_);
            pending_ = std::move(request);
        }
        wake_.notify_one();
    }

private:
    void Run()
    {
        for (;;) {
            Request request;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return pending_.has_value(); });
                request = std::move(*pending_);
                pending_.reset();
            }
            Play(request);
        }
    }

    void Play(const Request &request)
    {
        if (!bound_.has_value()) {
            bound_ = canberra_.Bind();
            if (!*bound_)
                qWarning("minukape: no sound (libcanberra.so.0 not found); the game goes on without it");
        }
        if (!*bound_)
            return;
        int result = Open();
        if (result == CA_SUCCESS) {
            canberra_.cancel(context_, CueId);
            result = request.file.empty() ? CA_ERROR_NOTFOUND : PlayFile(request.file);
            if (result != CA_SUCCESS && !ServerGone(result) && !request.fallback.empty())
                result = PlayFile(request.fallback);
        }
        if (ServerGone(result)) {
            // Start afresh with the next cue: the server may be back by then.
            WarnOnce(result);
            Close();
        }
    }

    int Open()
    {
        if (context_)
            return CA_SUCCESS;
        int result = canberra_.create(&context_);
        if (result != CA_SUCCESS)
            return result;
        canberra_.changeProps(context_, CA_PROP_APPLICATION_NAME, "ミヌカペ",
                                CA_PROP_APPLICATION_ID, "minukape", nullptr);
        result = canberra_.open(context_);
        if (result != CA_SUCCESS)
            Close();
        return result;
    }

    void Close()
    {
        if (context_)
            canberra_.destroy(context_);
        context_ = nullptr;
    }

    int PlayFile(const std::string &file)
    {
        return canberra_.play(context_, CueId, CA_PROP_MEDIA_FILENAME, file.c_str(),
                               CA_PROP_MEDIA_ROLE, "event", nullptr);
    }

    void WarnOnce(int result)
    {
        if (warned_)
            return;
        warned_ = true;
        qWarning("minukape: no sound (%s); the game goes on without it", canberra_.strerror(result));
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> pending_;
    // Touched by the worker thread only:
    Canberra canberra_;
    std::optional<bool> bound_;
    ca_context *context_ = nullptr;
    bool warned_ = false;
};

} // namespace

void CueBackend::Play(const std::filesystem::path &file, const std::filesystem::path &fallback)
{
    // Created on the first cue and never destroyed: leaving the program must
    // not wait for a worker that may be stuck on the sound server.
    static CanberraWorker *const worker = new CanberraWorker;
    worker->Post({file.native(), fallback.native()});
}

// The worker opens the server within a step of the first cue: the window
// starts without touching it.
void CueBackend::Prepare() {}

std::filesystem::path CueBackend::ProgramFolder()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

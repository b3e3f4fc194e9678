// Starts a program and times it to its first painted top-level window, as an
// X client that watches the screen: it sees the window mapped and, through
// the DAMAGE extension, the first drawing into it. Then it reads the
// program's resident memory once the window has settled, and ends it.
//   xwatch SETTLE_MS PROGRAM [ARGS...]
// prints "paint_ms RSS_KIB".
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: xwatch SETTLE_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int settleMs = std::atoi(argv[1]);
    Display *display = XOpenDisplay(nullptr);
    int damageEvent = 0;
    int damageError = 0;
    if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "xwatch: no X display with DAMAGE\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    double paintMs = -1;
    while (paintMs < 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect) {
            XDamageCreate(display, event.xmap.window, XDamageReportNonEmpty);
            XSync(display, False);
        } else if (event.type == damageEvent + XDamageNotify) {
            paintMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long rss = ResidentKiB(child);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    std::printf("%.2f %ld\n", paintMs, rss);
    return 0;
}

// Works the real minukape.exe through its window's messages, as a person
// would with mouse and keys, from another program on the same Wine desktop.
// usage: driver.exe REPORT SCENARIO...   (start, game=SCORE, refusals, close,
// and clock for the benchmark). Writes to REPORT what run.py judges (places,
// texts, the count, the refusals), one line per failed check and a tally.
#include <windows.h>
#include <imm.h>
#include <oleacc.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "WindowProbe.h"

namespace {

enum : int { Text1 = 101, Text2, Command1, Text3, Text4, Label1, Label2, Label3, Label4 };

using Clock = std::chrono::steady_clock;

// How long anything may take to happen: far more than a loaded machine needs.
// Each wait ends the moment its condition holds.
constexpr int ReadyMs = 60000;

FILE *report = nullptr;

// A performance counter reading in microseconds.
long long Microseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return ticks / frequency.QuadPart * 1000000 + ticks % frequency.QuadPart * 1000000 / frequency.QuadPart;
}
int passed = 0;
int failed = 0;

std::string Utf8(const std::wstring &text)
{
    std::string out(std::size_t(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), int(out.size()), nullptr, nullptr);
    out.pop_back();
    return out;
}

void Check(bool ok, const std::string &what)
{
    ++(ok ? passed : failed);
    if (!ok)
        std::fprintf(report, "FAIL %s\n", what.c_str());
    std::fflush(report);
}

// Waits up to ms while taking this thread's messages: a hook the driver placed
// in the program may be called here, and the program waits for that call.
void Pump(int ms)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(ms), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

template <typename Condition>
bool WaitFor(Condition condition, int ms)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        Pump(1);
    }
    return true;
}

// What must not happen: the condition is watched all through ms.
template <typename Condition>
bool Stays(Condition condition, int ms)
{
    return !WaitFor([&] { return !condition(); }, ms);
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        &copied);
    return text;
}

HWND Form()
{
    return FindWindowW(L"Form1", nullptr);
}

HWND Item(int id)
{
    return GetDlgItem(Form(), id);
}

HWND Text4Box()
{
    return FindWindowExW(FindWindowExW(HWND_MESSAGE, nullptr, L"Static", L"Form1.Text4"), nullptr, L"Edit", nullptr);
}

void ClickBox(HWND box)
{
    PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

HWND Focused()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(Form(), nullptr), &info);
    return info.hwndFocus;
}

std::wstring AccessibleName(HWND window)
{
    IAccessible *accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&accessible))))
        return L"(none)";
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring result = SUCCEEDED(accessible->get_accName(self, &name)) && name ? name : L"(none)";
    SysFreeString(name);
    accessible->Release();
    return result;
}

// A block of shared memory the hook in the program writes into.
template <typename Block>
class SharedBlock {
public:
    explicit SharedBlock(const wchar_t *name)
        : handle_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Block), name)),
          block_(static_cast<Block *>(MapViewOfFile(handle_, FILE_MAP_WRITE, 0, 0, 0)))
    {
        *block_ = {};
    }
    ~SharedBlock()
    {
        UnmapViewOfFile(block_);
        CloseHandle(handle_);
    }
    const Block &operator*() const { return *block_; }

private:
    HANDLE handle_;
    Block *block_;
};

// window_probe.dll's hook, in the GUI thread that owns window, while the object lives.
class Probe {
public:
    explicit Probe(HWND window)
        : module_(LoadLibraryW(L"window_probe.dll")),
          hook_(SetWindowsHookExW(WH_CALLWNDPROC,
                                  reinterpret_cast<HOOKPROC>(reinterpret_cast<void *>(GetProcAddress(module_, "ProbeHook"))),
                                  module_, GetWindowThreadProcessId(window, nullptr)))
    {
    }
    ~Probe() { UnhookWindowsHookEx(hook_); }

private:
    HMODULE module_;
    HHOOK hook_;
};

// The open status and conversion mode of a box's input context, read inside
// the program: only the thread that owns the box can read them.
std::pair<long, long> InputMethodState(HWND box)
{
    SharedBlock<ProbeState> state(ProbeStateName);
    Probe probe(box);
    SendMessageW(box, RegisterWindowMessageW(ProbeMessageName), 0, 0);
    return (*state).answered ? std::pair<long, long>{(*state).open, (*state).conversion} : std::pair<long, long>{-1, -1};
}

// Sets a box's text as a paste would, and meets the refusal that follows.
struct Refusal {
    int boxes = 0; // message boxes seen open at once, at most
    std::wstring caption, text;
    bool okOnly = false, icon = false;
};

HWND MessageBoxOpen()
{
    return FindWindowW(L"#32770", nullptr);
}

Refusal PasteRefused(HWND box, const wchar_t *text)
{
    Refusal seen;
    std::thread paste([&] { SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); });
    // The message's text and button are made after its window.
    if (WaitFor([] {
            const HWND message = MessageBoxOpen();
            return message && GetDlgItem(message, IDOK) && !TextOf(GetDlgItem(message, 0xFFFF)).empty();
        }, ReadyMs)) {
        const HWND message = MessageBoxOpen();
        for (HWND other = message; other; other = FindWindowExW(nullptr, other, L"#32770", nullptr))
            ++seen.boxes;
        seen.caption = TextOf(message);
        seen.text = TextOf(GetDlgItem(message, 0xFFFF));
        seen.okOnly = GetDlgItem(message, IDOK) && !GetDlgItem(message, IDCANCEL) && !GetDlgItem(message, IDNO);
        const HWND icon = GetDlgItem(message, 0x14);
        seen.icon = icon && IsWindowVisible(icon);
        Check(GetWindow(message, GW_OWNER) == Form(), "the refusal is owned by the window");
        PostMessageW(GetDlgItem(message, IDOK), BM_CLICK, 0, 0);
    }
    paste.join();
    return seen;
}

void SetNames(const wchar_t *first, const wchar_t *second)
{
    SendMessageW(Item(Text1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(first));
    SendMessageW(Item(Text2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(second));
}

// --- scenarios ------------------------------------------------------------

void Start()
{
    Check(WaitFor([] { return Form() && IsWindowVisible(Form()) && Item(Text1) && Focused() == Item(Text1); }, ReadyMs),
          "the window opens with Text1 focused");
    RECT client{};
    GetClientRect(Form(), &client);
    POINT origin{0, 0};
    ClientToScreen(Form(), &origin);
    // The caption, where the client area is on the screen, its size, and each control's place, text and name as
    // a screen reader says it, which run.py holds against the original's.
    std::fprintf(report, "CAPTION %s\nCLIENT %ld %ld %ld %ld\n", Utf8(TextOf(Form())).c_str(), origin.x, origin.y,
                 client.right, client.bottom);
    for (auto [id, name] : {std::pair{Text1, "Text1"}, {Text2, "Text2"}, {Command1, "Command1"}, {Text3, "Text3"},
                            {Label1, "Label1"}, {Label2, "Label2"}, {Label3, "Label3"}, {Label4, "Label4"}}) {
        RECT place{};
        GetWindowRect(Item(id), &place);
        MapWindowPoints(nullptr, Form(), reinterpret_cast<POINT *>(&place), 2);
        std::fprintf(report, "PLACE %s %ld %ld %ld %ld\n", name, place.left, place.top, place.right - place.left,
                     place.bottom - place.top);
    }

    for (auto [box, name] : {std::pair{Item(Text1), "Text1"}, {Item(Text2), "Text2"}, {Item(Text3), "Text3"},
                             {Text4Box(), "Text4"}})
        std::fprintf(report, "TEXT %s %s\n", name, Utf8(TextOf(box)).c_str());
    Check(IsWindowEnabled(Item(Command1)), "the button is on");
    DWORD from = 1, to = 0;
    SendMessageW(Item(Text1), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    Check(from == 0 && to == TextOf(Item(Text1)).size(), "the first name is selected whole");
    Check(!Item(Text4) && Text4Box() && !IsWindowVisible(Text4Box()), "Text4 is outside the window, hidden");

    HWND next = Item(Text1);
    for (int id : {Text2, Command1, Text3, Text1}) {
        next = GetNextDlgTabItem(Form(), next, FALSE);
        Check(next == Item(id), "Tab reaches control " + std::to_string(id) + " next");
    }

    for (auto [id, name] : {std::pair{Text1, "Text1"}, {Text2, "Text2"}, {Command1, "Command1"}, {Text3, "Text3"}})
        std::fprintf(report, "SPOKEN %s %s\n", name, Utf8(AccessibleName(Item(id))).c_str());

    // Entering each name box asks its input context for hiragana.
    for (int id : {Text2, Text1}) {
        ClickBox(Item(id));
        Check(WaitFor([id] { return Focused() == Item(id); }, ReadyMs), "a click focuses a name box");
        const auto [open, mode] = InputMethodState(Item(id));
        Check(open && mode == (IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE),
              "the input method is open in hiragana: open " + std::to_string(open) + ", mode " + std::to_string(mode));
    }
}

void PressKey(WPARAM key)
{
    PostMessageW(Focused(), WM_KEYDOWN, key, 1);
    PostMessageW(Focused(), WM_KEYUP, key, LPARAM(0xC0000001));
}

// Tab from the first name to the second and on to the button, and Enter; the count to score.
void Game(const std::wstring &score)
{
    Check(Focused() == Item(Text1), "the game starts from the first name");
    PressKey(VK_TAB);
    Check(WaitFor([] { return Focused() == Item(Text2); }, ReadyMs), "Tab moves to the second name");
    DWORD from = 1, to = 0;
    SendMessageW(Item(Text2), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    Check(from == 0 && to == TextOf(Item(Text2)).size(), "entering the second name selects it whole");
    PressKey(VK_TAB);
    Check(WaitFor([] { return Focused() == Item(Command1); }, ReadyMs), "Tab moves on to the button");
    // Every text the window gives the display, as the window gives it.
    SharedBlock<DisplayRecord> record(DisplayRecordName);
    Probe probe(Item(Text3));
    PressKey(VK_RETURN);
    Check(WaitFor([&] { return TextOf(Item(Text3)) == score; }, ReadyMs), "the count reaches " + Utf8(score));
    const LONG shown = (*record).count;
    Check(Stays([&] { return (*record).count == shown; }, 300), "nothing follows the end of the count");
    std::wstring seen;
    std::string at;
    for (LONG i = 0; i < (*record).count; ++i) {
        seen += std::wstring((*record).texts[i]) + L" ";
        at += std::to_string(Microseconds((*record).at[i])) + " ";
    }
    std::fprintf(report, "SHOWN %s\nSHOWN_AT %s\n", Utf8(seen).c_str(), at.c_str());
    Check(!IsWindowEnabled(Item(Command1)), "the count ends with the button off");
    std::fprintf(report, "TEXT Text4 %s\n", Utf8(TextOf(Text4Box())).c_str());
}

void Refusals()
{
    for (auto [id, text] : {std::pair{Text1, L"タロウ"}, {Text2, L"a"}}) {
        SetNames(L"やまだたろう", L"すずきはなこ");
        const std::string row = "refusing " + Utf8(text) + ": ";
        const Refusal seen = PasteRefused(Item(id), text);
        Check(seen.boxes == 1, row + "one message box, not " + std::to_string(seen.boxes));
        std::fprintf(report, "REFUSAL %s\t%s\n", Utf8(seen.caption).c_str(), Utf8(seen.text).c_str());
        Check(seen.okOnly && !seen.icon, row + "OK only, no icon");
        Check(WaitFor([] { return !MessageBoxOpen(); }, ReadyMs), row + "OK closes the message");
        Check(TextOf(Item(id)).empty() && !IsWindowEnabled(Item(Command1)), row + "box emptied, button off");
        Check(Stays([] { return !MessageBoxOpen(); }, 200), row + "no second message");
    }
}

// The performance counter's times as the benchmark reads them: a line each 20 ms for a second,
// written at once, so the reader, which notes when each arrives, finds the counter's offset to its clock.
void CounterTimes()
{
    for (int i = 0; i < 50; ++i) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        std::fprintf(report, "NOW %lld\n", Microseconds(now.QuadPart));
        std::fflush(report);
        Sleep(20);
    }
}

void Close()
{
    PostMessageW(Form(), WM_CLOSE, 0, 0);
    Check(WaitFor([] { return !Form(); }, ReadyMs), "closing the window ends the program");
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc < 3)
        return 2;
    report = _wfopen(argv[1], L"w");
    if (!report)
        return 2;
    CoInitialize(nullptr);
    for (int i = 2; i < argc; ++i) {
        const std::wstring scenario = argv[i];
        if (scenario == L"start") Start();
        else if (scenario.starts_with(L"game=")) Game(scenario.substr(5));
        else if (scenario == L"refusals") Refusals();
        else if (scenario == L"close") Close();
        else if (scenario == L"clock") CounterTimes();
        else Check(false, "no scenario " + Utf8(scenario));
    }
    std::fprintf(report, "%d passed, %d failed\n", passed, failed);
    std::fclose(report);
    CoUninitialize();
    return failed ? 1 : 0;
}

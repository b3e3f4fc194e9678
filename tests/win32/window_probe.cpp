// A hook the driver places in the program's GUI thread to read what only that
// thread knows: what a name box's input context was set to (answered to a
// registered message sent to the box), and every text the display is given,
// in order, so a count is followed step by step however late the driver looks.
// Both go through shared memory blocks the driver made.
#include <windows.h>
#include <imm.h>

#include <iterator>

#include "WindowProbe.h"

namespace {

template <typename Block, typename Write>
void WriteBlock(const wchar_t *name, Write write)
{
    const HANDLE block = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
    if (!block)
        return;
    if (auto *state = static_cast<Block *>(MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, 0))) {
        write(*state);
        UnmapViewOfFile(state);
    }
    CloseHandle(block);
}

void AnswerInputMethodState(HWND box)
{
    WriteBlock<ProbeState>(ProbeStateName, [box](ProbeState &state) {
        const HIMC context = ImmGetContext(box);
        DWORD conversion = 0, sentence = 0;
        ImmGetConversionStatus(context, &conversion, &sentence);
        state.open = ImmGetOpenStatus(context);
        state.conversion = LONG(conversion);
        state.answered = 1;
        ImmReleaseContext(box, context);
    });
}

void RecordDisplay(const wchar_t *text)
{
    WriteBlock<DisplayRecord>(DisplayRecordName, [text](DisplayRecord &record) {
        if (record.count >= LONG(std::size(record.texts)))
            return;
        lstrcpynW(record.texts[record.count], text ? text : L"", int(std::size(record.texts[0])));
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        record.at[record.count] = now.QuadPart;
        ++record.count;
    });
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION) {
        if (call->message == RegisterWindowMessageW(ProbeMessageName))
            AnswerInputMethodState(call->hwnd);
        else if (call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == DisplayId)
            RecordDisplay(reinterpret_cast<const wchar_t *>(call->lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

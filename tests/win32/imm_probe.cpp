// A hook the driver places in the program's GUI thread to read back what a
// name box's input context was set to: the input method's state can only be
// read from the thread that owns the box. Answers a registered message sent
// to the box by writing the state into a shared memory block.
#include <windows.h>
#include <imm.h>

namespace {

struct ProbeState {
    LONG answered;
    LONG open;
    LONG conversion;
};

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && call->message == RegisterWindowMessageW(L"minukape-imm-probe")) {
        const HANDLE block = OpenFileMappingW(FILE_MAP_WRITE, FALSE, L"minukape-imm-probe");
        if (auto *state = block ? static_cast<ProbeState *>(MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, 0)) : nullptr) {
            const HIMC context = ImmGetContext(call->hwnd);
            DWORD conversion = 0, sentence = 0;
            ImmGetConversionStatus(context, &conversion, &sentence);
            state->open = ImmGetOpenStatus(context);
            state->conversion = LONG(conversion);
            state->answered = 1;
            ImmReleaseContext(call->hwnd, context);
            UnmapViewOfFile(state);
        }
        if (block)
            CloseHandle(block);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The floor for the Windows program's launch: a bare Win32 window of the same
// client size and colour, with no controls, fonts or resources.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = CreateSolidBrush(0x00FFC0C0);
    windowClass.lpszClassName = L"Bare";
    RegisterClassW(&windowClass);
    RECT outer{0, 0, 468, 384};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    const HWND window = CreateWindowW(L"Bare", L"bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                      outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                      instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

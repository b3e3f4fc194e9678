// The fair floor for the Windows program's launch: the same window with no
// behaviour. The same class, icon, caption, manifest and resources, the same
// controls made from the same table (Form1Layout.h) in the same fonts
// (DesignFonts) and colours, laid out for the monitor's DPI, with the
// table's spoken names and the first box focused, as the Qt floor has them
// from Form1.ui; no handlers, timer, sound or input method.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "DesignFonts.h"
#include "Form1Class.h"
#include "Form1Layout.h"
#include "Form1Made.h"

namespace {

struct Window {
    std::array<HWND, 9> controls{};
    HBRUSH formBrush = CreateSolidBrush(Form1Layout::FormColour);
    HBRUSH text3Brush = CreateSolidBrush(Form1Layout::Text3Background);
    DesignFonts fonts;
} window;

int Pixels(int twips, UINT dpi)
{
    return MulDiv(twips, int(dpi), 1440);
}

void CreateControls(HWND form)
{
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
    const HWND holder = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    const UINT dpi = GetDpiForWindow(form);
    for (const Form1Layout::Control &control : Form1Layout::Controls) {
        const Form1Made::Win32Control how = Form1Made::Made(control);
        // Each spoken name in a label just before its control, as the program gives it.
        if (!control.accessibleName.empty()) {
            const std::wstring name(control.accessibleName.begin(), control.accessibleName.end());
            CreateWindowExW(0, L"STATIC", name.c_str(), Form1Made::LabelStyle, Pixels(control.left, dpi),
                            Pixels(control.top, dpi), 0, 0, form, nullptr, instance, nullptr);
        }
        const std::wstring text(control.text.begin(), control.text.end());
        const HWND made = CreateWindowExW(how.exStyle, how.className, text.c_str(), how.style,
                                          Pixels(control.left, dpi), Pixels(control.top, dpi),
                                          Pixels(control.width, dpi), Pixels(control.height, dpi),
                                          control.shown ? form : holder,
                                          reinterpret_cast<HMENU>(INT_PTR(control.id)), instance, nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(window.fonts.Get(control.pointsX100, dpi)), TRUE);
        window.controls[std::size_t(control.id - Form1Layout::Text1)] = made;
    }
    RECT outer{0, 0, Pixels(Form1Layout::ClientWidthTwips, dpi), Pixels(Form1Layout::ClientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&outer, Form1Class::Style, FALSE, 0, dpi);
    SetWindowPos(form, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Procedure(HWND form, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateControls(form);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(window.controls.front()); // Text1, the first of the table
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(form, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, window.formBrush);
        return 1;
    }
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        if (reinterpret_cast<HWND>(lParam) == window.controls[std::size_t(Form1Layout::Text3 - Form1Layout::Text1)]) {
            SetTextColor(dc, Form1Layout::Text3Foreground);
            SetBkColor(dc, Form1Layout::Text3Background);
            return reinterpret_cast<LRESULT>(window.text3Brush);
        }
        SetBkColor(dc, Form1Layout::FormColour);
        return reinterpret_cast<LRESULT>(window.formBrush);
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(form, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    const HWND form = Form1Class::Create(instance, Procedure);
    ShowWindow(form, show);
    UpdateWindow(form);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(form, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

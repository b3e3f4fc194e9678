#include "Form1Window.h"

#include <commctrl.h>

#include <utility>
#include <string>

#include "Form1Class.h"
#include "Form1Layout.h"
#include "Form1Made.h"
#include "HiraganaInput.h"
#include "Module1.h"

namespace {

constexpr UINT_PTR Timer1Id = 1;

std::size_t Index(Form1Layout::ControlId id)
{
    return std::size_t(id - Form1Layout::Text1);
}

// Twips to pixels at a DPI (15 twips a pixel at 96 DPI).
int Pixels(int twips, UINT dpi)
{
    return MulDiv(twips, int(dpi), 1440);
}

CountPace::Time Now()
{
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    const long long whole = count.QuadPart / frequency.QuadPart;
    const long long part = count.QuadPart % frequency.QuadPart;
    return CountPace::Time(whole * 1'000'000'000 + part * 1'000'000'000 / frequency.QuadPart);
}

const wchar_t *Wide(std::u16string_view text, std::wstring &storage)
{
    storage.assign(text.begin(), text.end());
    return storage.c_str();
}

} // namespace

HWND Form1Window::Create(HINSTANCE instance)
{
    return Form1Class::Create(instance, Procedure);
}

int Form1Window::Run(HWND form)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Enter presses the focused button, as Space does.
        if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN
            && (SendMessageW(message.hwnd, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
            SendMessageW(message.hwnd, BM_CLICK, 0, 0);
            continue;
        }
        // Tab and Shift+Tab move through the controls in their order.
        if (IsDialogMessageW(form, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

Form1Window::Form1Window(HWND form)
    : form(form), formBrush(CreateSolidBrush(Form1Layout::FormColour)),
      text3Brush(CreateSolidBrush(Form1Layout::Text3Background))
{
}

Form1Window::~Form1Window()
{
    DeleteObject(formBrush);
    DeleteObject(text3Brush);
}

LRESULT CALLBACK Form1Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Form1Window(window)));
    auto *self = reinterpret_cast<Form1Window *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT Form1Window::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        CreateControls();
        const UINT dpi = GetDpiForWindow(form);
        Layout(dpi);
        RECT outer{0, 0, Pixels(Form1Layout::ClientWidthTwips, dpi), Pixels(Form1Layout::ClientHeightTwips, dpi)};
        AdjustWindowRectExForDpi(&outer, Form1Class::Style, FALSE, 0, dpi);
        SetWindowPos(form, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        created = true;
        return 0;
    }
    case WM_DPICHANGED: {
        Layout(HIWORD(wParam));
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(form, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_ACTIVATE:
        Activate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == Timer1Id)
            Tick();
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(form, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, formBrush);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        return Colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
        KillTimer(form, Timer1Id);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(form, message, wParam, lParam);
}

void Form1Window::CreateControls()
{
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
    // The digit box lives outside the window, in a message-only holder: it
    // is the program's bookkeeping, never shown, never reached by Tab and
    // never offered to a screen reader.
    text4Holder = CreateWindowExW(0, L"STATIC", L"Form1.Text4", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                  nullptr);
    std::wstring text;
    for (const Form1Layout::Control &control : Form1Layout::Controls) {
        const std::size_t row = Index(control.id);
        const Form1Made::Win32Control made = Form1Made::Made(control);
        // Created in tab order, each name label just before its control.
        if (!control.accessibleName.empty())
            nameLabels[row] = CreateWindowExW(0, L"STATIC", Wide(control.accessibleName, text),
                                              Form1Made::LabelStyle, 0, 0, 0, 0, form, nullptr, instance, nullptr);
        controls[row] = CreateWindowExW(made.exStyle, made.className, Wide(control.text, text), made.style, 0, 0,
                                        0, 0, control.shown ? form : text4Holder,
                                        reinterpret_cast<HMENU>(INT_PTR(control.id)), instance, nullptr);
    }
    for (Form1Layout::ControlId box : {Form1Layout::Text1, Form1Layout::Text2, Form1Layout::Text3})
        SetWindowSubclass(controls[Index(box)], BoxProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

void Form1Window::Layout(UINT dpi)
{
    for (const Form1Layout::Control &control : Form1Layout::Controls) {
        const std::size_t row = Index(control.id);
        MoveWindow(controls[row], Pixels(control.left, dpi), Pixels(control.top, dpi), Pixels(control.width, dpi),
                   Pixels(control.height, dpi), TRUE);
        if (nameLabels[row])
            MoveWindow(nameLabels[row], Pixels(control.left, dpi), Pixels(control.top, dpi), 0, 0, FALSE);
        SendMessageW(controls[row], WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(control.pointsX100, dpi)),
                     TRUE);
    }
}

LRESULT CALLBACK Form1Window::BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self)
{
    const Form1Window &window = *reinterpret_cast<const Form1Window *>(self);
    if (box == window.controls[Index(Form1Layout::Text3)]) {
        // The display is read, not edited: the arrow, not the text cursor.
        if (message == WM_SETCURSOR) {
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512))); // IDC_ARROW
            return TRUE;
        }
    } else if (message == WM_LBUTTONDOWN && GetFocus() != box) {
        // The press that focuses a name box would place the caret and so undo
        // the selection its focus handler made; focusing the box is its work.
        ::SetFocus(box);
        return 0;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

// Runs the focus handlers when a name box is entered from elsewhere in the
// window (by Tab, a click or the program) and when the window first opens;
// not when the focus merely comes back with the window, after another
// program or the refusal message, which would select away what was typed.
void Form1Window::Activate(bool active)
{
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(form, focus))
            lastFocus = focus;
        return;
    }
    restoringFocus = std::exchange(activatedBefore, true);
    ::SetFocus(lastFocus ? lastFocus : controls[Index(Form1Layout::Text1)]);
    restoringFocus = false;
}

void Form1Window::Command(int id, int code)
{
    if (!created)
        return;
    if (id == Form1Layout::Text1 || id == Form1Layout::Text2) {
        const bool first = id == Form1Layout::Text1;
        if (code == EN_CHANGE) {
            first ? handlers.Text1_Change() : handlers.Text2_Change();
        } else if (code == EN_SETFOCUS) {
            if (!restoringFocus)
                first ? handlers.Text1_GotFocus() : handlers.Text2_GotFocus();
            HiraganaInput::Request(controls[Index(Form1Layout::ControlId(id))]);
        }
    } else if (id == Form1Layout::Command1 && code == BN_CLICKED
               && IsWindowEnabled(controls[Index(Form1Layout::Command1)])) {
        handlers.Command1_Click();
    }
}

void Form1Window::Tick()
{
    const CountPace::Time untilNext = pace.RunDueSteps(Now(), [this] {
        handlers.Timer1_Timer();
        return timer1Enabled;
    });
    if (!timer1Enabled)
        return;
    // Woken again when the next step is due; a late wake is caught up then.
    SetTimer(form, Timer1Id, UINT(CountPace::WakeAfterMs(untilNext)), nullptr);
}

LRESULT Form1Window::Colour(HDC dc, HWND control)
{
    if (control == controls[Index(Form1Layout::Text3)]) {
        SetTextColor(dc, Form1Layout::Text3Foreground);
        SetBkColor(dc, Form1Layout::Text3Background);
        return reinterpret_cast<LRESULT>(text3Brush);
    }
    SetBkColor(dc, Form1Layout::FormColour);
    return reinterpret_cast<LRESULT>(formBrush);
}

HWND Form1Window::Window(Box box) const
{
    switch (box) {
    case Box::Text1: return controls[Index(Form1Layout::Text1)];
    case Box::Text2: return controls[Index(Form1Layout::Text2)];
    case Box::Text3: return controls[Index(Form1Layout::Text3)];
    case Box::Text4: return controls[Index(Form1Layout::Text4)];
    }
    return nullptr;
}

std::u16string Form1Window::Text(Box box) const
{
    const HWND window = Window(box);
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return std::u16string(text.begin(), text.end());
}

void Form1Window::SetText(Box box, std::u16string_view text)
{
    std::wstring wide;
    SetWindowTextW(Window(box), Wide(text, wide));
}

void Form1Window::SetSelection(Box box, int start, int length)
{
    SendMessageW(Window(box), EM_SETSEL, WPARAM(start), LPARAM(start + length));
}

void Form1Window::SetFocus(Box box)
{
    if (GetFocus() != Window(box))
        ::SetFocus(Window(box));
}

void Form1Window::SetCommand1Enabled(bool enabled)
{
    EnableWindow(controls[Index(Form1Layout::Command1)], enabled);
}

void Form1Window::SetTimer1Enabled(bool enabled)
{
    // Enabling a running timer leaves its pace alone.
    if (enabled == timer1Enabled)
        return;
    timer1Enabled = enabled;
    if (enabled) {
        pace.Start(Now());
        SetTimer(form, Timer1Id, Form1Handlers::Timer1IntervalMs, nullptr);
    } else {
        KillTimer(form, Timer1Id);
    }
}

void Form1Window::ShowRefusal(std::u16string_view text)
{
    std::wstring wide;
    std::wstring title;
    MessageBoxW(form, Wide(text, wide), Wide(Form1Text::Title, title), MB_OK);
}

void Form1Window::PlayCue(std::u16string_view cueName)
{
    ::PlayCue(cueName);
}

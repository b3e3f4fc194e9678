// Starts the program on Windows: the window is the whole of it, and closing
// it ends it.
#include <windows.h>
#include <commctrl.h>

#include "Form1Window.h"
#include "Module1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    const HWND form = Form1Window::Create(instance);
    if (!form)
        return 1;
    ShowWindow(form, show);
    UpdateWindow(form);
    // Once the window is on screen: opening the sound under way before a
    // person presses the button keeps the first cue on its step. Not before
    // the message loop first waits, which is when Wine shows what the window
    // drew: the sound's thread loading its libraries held that up.
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PrepareCues();
    });
    return Form1Window::Run(form);
}

// Starts the program on Windows: the window is the whole of it, and closing
// it ends it.
#include <windows.h>
#include <commctrl.h>

#include "Form1Window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    const HWND form = Form1Window::Create(instance);
    if (!form)
        return 1;
    ShowWindow(form, show);
    UpdateWindow(form);
    return Form1Window::Run(form);
}

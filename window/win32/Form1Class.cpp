#include "Form1Class.h"

#include <string>

#include "Form1Layout.h"

HWND Form1Class::Create(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = Name;
    if (!RegisterClassExW(&windowClass))
        return nullptr;
    const std::wstring caption(Form1Layout::Caption.begin(), Form1Layout::Caption.end());
    return CreateWindowExW(0, Name, caption.c_str(), Style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

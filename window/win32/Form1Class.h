// Form1's top-level window on Windows as the system knows it: its class (the
// program's icon, the arrow), its caption and its style, created at the
// desktop's default spot. What fills it is its window procedure's.
#pragma once

#include <windows.h>

namespace Form1Class {

inline constexpr wchar_t Name[] = L"Form1";
inline constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Registers the class with procedure and creates the window, not yet shown;
// its size follows from the client area once the monitor's DPI is known.
HWND Create(HINSTANCE instance, WNDPROC procedure);

} // namespace Form1Class

// How Windows makes each control of the window's table: its class and styles,
// and the style of the label that gives a control its spoken name. Where each
// goes, its font and what it does are the window's.
#pragma once

#include <windows.h>

#include "Form1Layout.h"

namespace Form1Made {

inline constexpr DWORD Shown = WS_CHILD | WS_VISIBLE;
// A name label, made just before its control: the platform names an
// unlabelled box after the label that precedes it.
inline constexpr DWORD LabelStyle = Shown | SS_NOPREFIX;

struct Win32Control {
    const wchar_t *className;
    DWORD style;
    DWORD exStyle;
};

inline Win32Control Made(const Form1Layout::Control &control)
{
    switch (control.kind) {
    case Form1Layout::Kind::Label:
        return {L"STATIC", LabelStyle, 0};
    case Form1Layout::Kind::PushButton:
        return {L"BUTTON", Shown | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Form1Layout::Kind::TextBox:
        if (!control.shown)
            return {L"EDIT", WS_CHILD | ES_AUTOHSCROLL, 0};
        return {L"EDIT", Shown | WS_TABSTOP | (control.readOnly ? ES_CENTER | ES_READONLY : ES_AUTOHSCROLL),
                WS_EX_CLIENTEDGE};
    }
    return {};
}

} // namespace Form1Made

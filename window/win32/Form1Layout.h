// Form1 as the Win32 face builds it: the client area, the colours and one row
// per control, in tab order, with its place in twips (1/1440 inch) and its
// font in hundredths of a point. The window procedure creates the controls
// from this table and scales them to the monitor's DPI; it decides nothing
// of the layout itself.
#pragma once

#include <windows.h>

#include <array>

namespace Form1Layout {

inline constexpr int ClientWidthTwips = 7020;
inline constexpr int ClientHeightTwips = 5760;

// 0x00BBGGRR, as COLORREF holds them.
inline constexpr COLORREF FormColour = 0x00FFC0C0;
inline constexpr COLORREF Text3Background = 0x000080FF;
inline constexpr COLORREF Text3Foreground = 0x00FF0000;

inline constexpr wchar_t DesignFace[] = L"ＭＳ 明朝";
inline constexpr int DefaultPointsX100 = 900;

enum ControlId : int {
    Text1 = 101,
    Text2,
    Command1,
    Text3,
    Text4,
    Label1,
    Label2,
    Label3,
    Label4,
};

struct Control {
    ControlId id;
    const wchar_t *className;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height; // twips
    const wchar_t *text;
    int pointsX100;
    // What a screen reader calls the control where its text does not name
    // it; given by a label placed just before it, as the platform expects.
    const wchar_t *accessibleName;
};

inline constexpr DWORD Shown = WS_CHILD | WS_VISIBLE;
inline constexpr DWORD NameBox = Shown | WS_TABSTOP | ES_AUTOHSCROLL;
inline constexpr DWORD Label = Shown | SS_NOPREFIX;

// Text4 is never shown nor reachable: it is created apart from the others,
// outside the window, and holds the digits of the last diagnosis.
inline constexpr std::array<Control, 9> Controls{{
    {Text1, L"EDIT", NameBox, WS_EX_CLIENTEDGE, 480, 1800, 2775, 375, L"やまだたろう", 900, L"一人目の氏名"},
    {Text2, L"EDIT", NameBox, WS_EX_CLIENTEDGE, 3720, 1800, 2775, 375, L"すずきはなこ", 900, L"二人目の氏名"},
    {Command1, L"BUTTON", Shown | WS_TABSTOP | BS_PUSHBUTTON, 0, 2520, 2520, 1935, 855, L"相性を診断する", 900,
     nullptr},
    {Text3, L"EDIT", Shown | WS_TABSTOP | ES_CENTER | ES_READONLY, WS_EX_CLIENTEDGE, 1920, 3720, 3135, 1635, L"",
     7200, L"相性度"},
    {Text4, L"EDIT", WS_CHILD | ES_AUTOHSCROLL, 0, 120, 5400, 3375, 270, L"数値データ", 900, nullptr},
    {Label1, L"STATIC", Label, 0, 120, 120, 3855, 495, L"ミヌカペ", 2625, nullptr},
    {Label2, L"STATIC", Label, 0, 5280, 5400, 1575, 255, L"by ZORBLE", 1200, nullptr},
    {Label3, L"STATIC", Label, 0, 360, 960, 5295, 255, L"相性を占う二人の氏名をひらがな50音で入力してください。", 900,
     nullptr},
    {Label4, L"STATIC", Label, 0, 360, 1320, 5295, 255, L"相性度は１～１００で診断されます。", 900, nullptr},
}};

// Twips to pixels at a DPI (15 twips a pixel at 96 DPI).
inline int Pixels(int twips, UINT dpi)
{
    return MulDiv(twips, int(dpi), 1440);
}

} // namespace Form1Layout

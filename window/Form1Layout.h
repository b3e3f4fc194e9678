// Form1 as every face lays it out: the client area, the colours, the fonts
// and one row per control, in tab order, with its place in twips (1/1440
// inch). The Win32 and web faces build their controls from this table; the
// Qt face keeps its Designer form (Form1.ui), which a test holds against it.
// Standard C++ only: how a kind of control is made is each face's.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "Form1Handlers.h"

namespace Form1Layout {

inline constexpr std::u16string_view Caption = Form1Text::Title;
inline constexpr int ClientWidthTwips = 7020;
inline constexpr int ClientHeightTwips = 5760;
// At 96 dots per inch, the design's pixel.
inline constexpr int TwipsPerPixel = 15;

// 0x00BBGGRR: red in the lowest byte.
using Colour = std::uint32_t;
inline constexpr Colour FormColour = 0x00FFC0C0;
inline constexpr Colour Text3Background = 0x000080FF;
inline constexpr Colour Text3Foreground = 0x00FF0000;
// Not a colour: the control keeps the platform's own.
inline constexpr Colour PlatformColour = 0xFFFFFFFF;

inline constexpr std::u16string_view DesignFace = u"ＭＳ 明朝";
inline constexpr int DefaultPointsX100 = 900;

enum class Kind { TextBox, PushButton, Label };

// Numbered as the Win32 face's control IDs.
enum ControlId : int { Text1 = 101, Text2, Command1, Text3, Text4, Label1, Label2, Label3, Label4 };

struct Control {
    ControlId id;
    std::string_view name;
    Kind kind;
    int left, top, width, height; // twips
    std::u16string_view text;     // at start
    int tabIndex;
    int pointsX100;               // the font's size in hundredths of a point
    // What a screen reader calls the control; empty where its text names it.
    std::u16string_view accessibleName;
    Colour background = PlatformColour;
    Colour foreground = PlatformColour;
    bool shown = true;
    bool readOnly = false; // and centred, with the arrow pointer: the display
};

inline constexpr std::array<Control, 9> Controls{{
    {Text1, "Text1", Kind::TextBox, 480, 1800, 2775, 375, u"やまだたろう", 0, 900, u"一人目の氏名"},
    {Text2, "Text2", Kind::TextBox, 3720, 1800, 2775, 375, u"すずきはなこ", 1, 900, u"二人目の氏名"},
    {Command1, "Command1", Kind::PushButton, 2520, 2520, 1935, 855, u"相性を診断する", 2, 900, u""},
    {Text3, "Text3", Kind::TextBox, 1920, 3720, 3135, 1635, u"", 3, 7200, u"相性度", Text3Background,
     Text3Foreground, true, true},
    {Text4, "Text4", Kind::TextBox, 120, 5400, 3375, 270, u"数値データ", 4, 900, u"", PlatformColour,
     PlatformColour, false},
    {Label1, "Label1", Kind::Label, 120, 120, 3855, 495, Caption, 5, 2625, u"", FormColour},
    {Label2, "Label2", Kind::Label, 5280, 5400, 1575, 255, u"by ZORBLE", 6, 1200, u"", FormColour},
    {Label3, "Label3", Kind::Label, 360, 960, 5295, 255, u"相性を占う二人の氏名をひらがな50音で入力してください。", 7,
     900, u"", FormColour},
    {Label4, "Label4", Kind::Label, 360, 1320, 5295, 255, u"相性度は１～１００で診断されます。", 8, 900, u"",
     FormColour},
}};

inline constexpr const Control &Row(ControlId id)
{
    return Controls[std::size_t(id - Text1)];
}

// The name a screen reader gives the control: its own, else its text.
inline constexpr std::u16string_view SpokenName(const Control &control)
{
    return control.accessibleName.empty() ? control.text : control.accessibleName;
}

} // namespace Form1Layout

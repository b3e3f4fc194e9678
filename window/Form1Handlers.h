// What Form1 does when its controls are used: the checks of the name boxes,
// the diagnosis behind the button and the count the timer drives, with the
// window's one variable aisyou. Standard C++ only; the faces (window/qt,
// window/win32, window/web) raise these handlers from their toolkit's events.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Form1Controls.h"

namespace Form1Text {
inline constexpr std::u16string_view Title = u"ミヌカペ";
inline constexpr std::u16string_view Refusal = u"ひらがな50音のみで入力してね。";
inline constexpr std::u16string_view PushCue = u"./Sound/Push";
inline constexpr std::u16string_view KinCue = u"./Sound/Kin";
inline constexpr std::u16string_view PororonCue = u"./Sound/Pororon";
} // namespace Form1Text

// The count as the display shows it: plain decimal digits.
std::u16string DisplayText(int count);

// What a name box keeps without the refusal: kana of the table, or nothing.
bool IsAllKana(std::u16string_view text);

class Form1Handlers {
public:
    static constexpr int Timer1IntervalMs = 50;

    explicit Form1Handlers(Form1Controls &controls) : controls(controls) {}

    void Text1_Change() { NameChanged(Box::Text1); }
    void Text2_Change() { NameChanged(Box::Text2); }
    void Text1_GotFocus() { NameGotFocus(Box::Text1); }
    void Text2_GotFocus() { NameGotFocus(Box::Text2); }
    void Command1_Click();
    void Timer1_Timer();

    // The score of the last diagnosis, 0 before the first.
    std::uint8_t Aisyou() const { return aisyou; }

private:
    void NameChanged(Box box);
    void NameGotFocus(Box box);

    Form1Controls &controls;
    std::uint8_t aisyou = 0;
};

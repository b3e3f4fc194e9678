#include "Form1Handlers.h"

#include <charconv>
#include <string>

#include "DiagnosePair.h"
#include "NameToDigits.h"

namespace {

// The number the display shows; nothing when it holds none.
bool ReadCount(std::u16string_view text, int &count)
{
    std::string ascii;
    for (char16_t unit : text) {
        if (unit < u'0' || unit > u'9')
            return false;
        ascii.push_back(char(unit));
    }
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), count);
    return !ascii.empty() && error == std::errc() && end == ascii.data() + ascii.size();
}

} // namespace

bool IsAllKana(std::u16string_view text)
{
    return scoring::NameToDigits(text).size() == text.size();
}

std::u16string DisplayText(int count)
{
    std::u16string text;
    for (char c : std::to_string(count))
        text.push_back(char16_t(c));
    return text;
}

void Form1Handlers::NameChanged(Box box)
{
    // A changed name ends any count: its score no longer belongs to the names.
    controls.SetTimer1Enabled(false);
    controls.SetText(Box::Text3, u"");
    if (!IsAllKana(controls.Text(box))) {
        controls.ShowRefusal(Form1Text::Refusal);
        controls.SetText(box, u""); // runs this handler again, for the empty box
    }
    controls.SetCommand1Enabled(!controls.Text(Box::Text1).empty() && !controls.Text(Box::Text2).empty());
}

void Form1Handlers::NameGotFocus(Box box)
{
    // The whole name is selected, so the next keystroke replaces it.
    controls.SetSelection(box, 0, int(controls.Text(box).size()));
    controls.SetFocus(box);
}

void Form1Handlers::Command1_Click()
{
    controls.SetCommand1Enabled(false);
    controls.PlayCue(Form1Text::PushCue);
    const scoring::Diagnosis diagnosis =
        scoring::DiagnosePair(controls.Text(Box::Text1), controls.Text(Box::Text2));
    controls.SetText(Box::Text4, std::u16string(diagnosis.digits.begin(), diagnosis.digits.end()));
    aisyou = diagnosis.score;
    controls.SetText(Box::Text3, u"0");
    controls.SetTimer1Enabled(true);
}

void Form1Handlers::Timer1_Timer()
{
    int shown = 0;
    if (!ReadCount(controls.Text(Box::Text3), shown) || shown >= aisyou) {
        // Nothing left to count: the display was emptied or already holds the score.
        controls.SetTimer1Enabled(false);
        return;
    }
    const int value = shown + 1;
    controls.SetText(Box::Text3, DisplayText(value));
    if (value == aisyou) {
        controls.PlayCue(Form1Text::PororonCue);
        controls.SetTimer1Enabled(false);
    } else if (value % 10 == 0) {
        controls.PlayCue(Form1Text::KinCue);
    }
}

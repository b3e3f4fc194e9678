#include "Form1Page.h"

#include <cmath>
#include <utility>

#include "DiagnosePair.h"
#include "Form1Layout.h"
#include "Module1.h"
#include "Pyramid.h"
#include "WebAudioCues.h"

// Form1Page.js: the page's side of each operation. Boxes are numbered as Box.
extern "C" {
int form1_text_length(int box);
void form1_text(int box, char16_t *out);
void form1_set_text(int box, const char16_t *text, int length);
void form1_set_selection(int box, int start, int length);
void form1_focus(int box);
void form1_set_command1_enabled(int enabled);
double form1_now_ms();
void form1_wake_after(int ms);
void form1_stop_waking();
// Waits, with the handler's stack kept, until the person dismisses it.
void form1_refusal(const char16_t *text, int length);
void form1_say(const char16_t *text, int length);
// Pyramid.js: the pyramid, asked for after a wait (form1_show_pyramid in
// main.cpp), drawn below the window as it is handed over, and taken away.
void form1_pyramid_after(int ms);
void form1_pyramid_begin(int widest);
void form1_pyramid_row(const char16_t *label, int labelLength, const char16_t *cells, int cellsLength, int shift);
void form1_pyramid_note(const char16_t *text, int length);
void form1_pyramid_show(const char16_t *scoreLine, int length, int score, const char16_t *pairLine, int pairLength);
void form1_clear_pyramid();
}

namespace {

CountPace::Time Now()
{
    return CountPace::Time(std::llround(form1_now_ms() * 1e6));
}

bool IsName(Box box)
{
    return box == Box::Text1 || box == Box::Text2;
}

constexpr std::u16string_view cues[] = {Form1Text::PushCue, Form1Text::KinCue, Form1Text::PororonCue};

} // namespace

void Form1Page::Changed(Box box)
{
    // The pyramid belongs to the names that made it.
    form1_clear_pyramid();
    box == Box::Text1 ? handlers.Text1_Change() : handlers.Text2_Change();
}

void Form1Page::Focused(Box box)
{
    box == Box::Text1 ? handlers.Text1_GotFocus() : handlers.Text2_GotFocus();
}

void Form1Page::Clicked()
{
    handlers.Command1_Click();
}

void Form1Page::Tick()
{
    if (!timer1Enabled)
        return;
    catchingUp = true;
    const CountPace::Time untilNext = pace.RunDueSteps(Now(), [this] {
        lateCue = {};
        handlers.Timer1_Timer();
        return timer1Enabled;
    });
    catchingUp = false;
    // A page left in the background is woken seldom: it shows where the
    // count stands and sounds the last step's cue alone, not a pile of them.
    if (!lateCue.empty())
        ::PlayCue(std::exchange(lateCue, {}));
    if (timer1Enabled)
        form1_wake_after(int(CountPace::WakeAfterMs(untilNext)));
}

std::u16string Form1Page::Text(Box box) const
{
    std::u16string text(std::size_t(form1_text_length(int(box))), u'\0');
    form1_text(int(box), text.data());
    return text;
}

void Form1Page::SetText(Box box, std::u16string_view text)
{
    // As on the desktop, a change made by the program is a change too.
    const bool changed = IsName(box) && Text(box) != text;
    form1_set_text(int(box), text.data(), int(text.size()));
    if (changed)
        Changed(box);
}

void Form1Page::SetSelection(Box box, int start, int length)
{
    form1_set_selection(int(box), start, length);
}

void Form1Page::SetFocus(Box box)
{
    form1_focus(int(box));
}

void Form1Page::SetCommand1Enabled(bool enabled)
{
    form1_set_command1_enabled(enabled);
}

void Form1Page::SetTimer1Enabled(bool enabled)
{
    // Enabling a running timer leaves its pace alone.
    if (enabled == timer1Enabled)
        return;
    timer1Enabled = enabled;
    if (enabled) {
        pace.Start(Now());
        form1_wake_after(Form1Handlers::Timer1IntervalMs);
        return;
    }
    form1_stop_waking();
    // The count has reached the score: a screen reader says it once.
    const std::u16string shown = Text(Box::Text3);
    if (!shown.empty() && shown == DisplayText(handlers.Aisyou())) {
        const std::u16string spoken =
            std::u16string(Form1Layout::SpokenName(Form1Layout::Row(Form1Layout::Text3))) + u" " + shown;
        form1_say(spoken.data(), int(spoken.size()));
        // Not now: nothing may hold up the chime this step has just started,
        // and the score keeps its moment until the chime has rung out.
        form1_pyramid_after(CueLengthMs(Form1Text::PororonCue));
    }
}

void Form1Page::ShowPyramid()
{
    const std::u16string first = Text(Box::Text1), second = Text(Box::Text2);
    const scoring::Diagnosis diagnosis = scoring::DiagnosePair(first, second);
    const Pyramid::Drawing drawing = Pyramid::Draw(first, second, diagnosis.joined, diagnosis.digits, diagnosis.score);
    form1_pyramid_begin(drawing.widest);
    for (std::size_t i = 0; i < drawing.rows.size(); ++i) {
        if (i == drawing.leftOutAfter && !drawing.leftOut.empty())
            form1_pyramid_note(drawing.leftOut.data(), int(drawing.leftOut.size()));
        const Pyramid::Row &row = drawing.rows[i];
        form1_pyramid_row(row.label.data(), int(row.label.size()), row.cells.data(), int(row.cells.size()), row.shift);
    }
    form1_pyramid_show(drawing.scoreLine.data(), int(drawing.scoreLine.size()), diagnosis.score,
                       drawing.pairLine.data(), int(drawing.pairLine.size()));
}

void Form1Page::OpenShared(std::u16string_view first, std::u16string_view second)
{
    if (first.empty() || second.empty() || !IsAllKana(first) || !IsAllKana(second))
        return;
    // As typed: each box's change runs its check and readies the button.
    SetText(Box::Text1, first);
    SetText(Box::Text2, second);
}

void Form1Page::PlayPair(std::u16string_view first, std::u16string_view second)
{
    OpenShared(first, second);
    if (Text(Box::Text1) != first || Text(Box::Text2) != second)
        return;
    // The same pair again is a new count, and the pyramid comes at its end.
    form1_clear_pyramid();
    handlers.Command1_Click();
}

void Form1Page::ShowRefusal(std::u16string_view text)
{
    form1_refusal(text.data(), int(text.size()));
}

// Every cue is fetched at once, before a person can press: a press that is the
// person's first gesture finds its own cue fetched, and only decoding it left.
void Form1Page::FetchCues()
{
    for (std::u16string_view cue : cues)
        FetchCue(cue);
}

void Form1Page::LoadCues()
{
    if (std::exchange(cuesLoaded, true))
        return;
    for (std::u16string_view cue : cues)
        LoadCue(cue);
}

void Form1Page::PlayCue(std::u16string_view cueName)
{
    LoadCues();
    if (catchingUp)
        lateCue = cueName;
    else
        ::PlayCue(cueName);
}

// The program's one window on a web page: the page's own elements, written
// into it from the layout table at build time (make_page.cpp), over the
// shared handlers (Form1Handlers.h). Form1Page.js reaches the page: it raises
// the page's events into the entry points of main.cpp and serves the
// controls' operations. The count is paced by CountPace on the page's clock.
// Beyond the window, the page's own additions: the pyramid of how the score
// was made, shown below the window once the count's chime has rung
// (Pyramid.h decides it, Pyramid.js draws it), and a shared result's names
// opened from the page's address (Sharing.js); a pair of the group below it
// played out (GroupPage.h).
#pragma once

#include <string>
#include <string_view>

#include "CountPace.h"
#include "Form1Controls.h"
#include "Form1Handlers.h"

class Form1Page : private Form1Controls {
public:
    // The page's events, in the shared handlers' terms.
    void Changed(Box box);
    void Focused(Box box);
    void Clicked();
    // The page's timer has woken, or the page has come back into view.
    void Tick();
    // The page has started: the cues' sounds are fetched, with no sound made.
    void FetchCues();
    // A person's first gesture: the page may make sound now.
    void LoadCues();
    // The count has ended and its chime has rung: the pyramid below the window.
    void ShowPyramid();
    // The two names of a shared result's link, put in the boxes when the
    // boxes would take both; anything else is left as it is.
    void OpenShared(std::u16string_view first, std::u16string_view second);
    // A pair from the group below the window, played out as if the person
    // had typed the two names and pressed the button.
    void PlayPair(std::u16string_view first, std::u16string_view second);

private:
    // The controls' operations, for the handlers.
    std::u16string Text(Box box) const override;
    void SetText(Box box, std::u16string_view text) override;
    void SetSelection(Box box, int start, int length) override;
    void SetFocus(Box box) override;
    void SetCommand1Enabled(bool enabled) override;
    void SetTimer1Enabled(bool enabled) override;
    void ShowRefusal(std::u16string_view text) override;
    void PlayCue(std::u16string_view cueName) override;

    Form1Handlers handlers{*this};
    CountPace pace{std::chrono::milliseconds(Form1Handlers::Timer1IntervalMs)};
    bool timer1Enabled = false;
    bool cuesLoaded = false;
    // While late steps are caught up, only the cue of the step shown last plays.
    bool catchingUp = false;
    std::u16string_view lateCue;
};

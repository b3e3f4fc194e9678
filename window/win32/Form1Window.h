// The program's one window on Windows, made of the platform's own controls as
// the shared Form1Layout.h lays them out. Its window procedure hands each notification
// to the shared handlers (Form1Handlers.h), and it serves the handlers'
// operations on the controls. The count is paced by CountPace from the
// performance counter; the timer only wakes it.
#pragma once

#include <windows.h>

#include <array>

#include "CountPace.h"
#include "DesignFonts.h"
#include "Form1Controls.h"
#include "Form1Handlers.h"

class Form1Window : private Form1Controls {
public:
    // Registers the window class and creates the window, not yet shown.
    static HWND Create(HINSTANCE instance);
    // Runs the program's message loop until the window is closed.
    static int Run(HWND form);

private:
    explicit Form1Window(HWND form);
    ~Form1Window() override;

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void Layout(UINT dpi);
    void Command(int id, int code);
    void Activate(bool active);
    void Tick();
    LRESULT Colour(HDC dc, HWND control);
    HWND Window(Box box) const;

    // The controls' operations, for the handlers.
    std::u16string Text(Box box) const override;
    void SetText(Box box, std::u16string_view text) override;
    void SetSelection(Box box, int start, int length) override;
    void SetFocus(Box box) override;
    void SetCommand1Enabled(bool enabled) override;
    void SetTimer1Enabled(bool enabled) override;
    void ShowRefusal(std::u16string_view text) override;
    void PlayCue(std::u16string_view cueName) override;

    HWND form;
    std::array<HWND, 9> controls{}; // by row of Form1Layout::Controls
    std::array<HWND, 9> nameLabels{};
    HWND text4Holder = nullptr;
    HBRUSH formBrush;
    HBRUSH text3Brush;
    DesignFonts fonts;
    Form1Handlers handlers{*this};
    CountPace pace{std::chrono::milliseconds(Form1Handlers::Timer1IntervalMs)};
    bool timer1Enabled = false;
    bool created = false;
    bool activatedBefore = false;
    bool restoringFocus = false;
    HWND lastFocus = nullptr;
};

// The controls of Form1 as its handlers reach them: the few operations the
// handlers use, and nothing of the toolkit behind them. Each face of the
// window (Qt, Win32, the web page) implements this over its own controls.
#pragma once

#include <string>
#include <string_view>

enum class Box { Text1, Text2, Text3, Text4 };

class Form1Controls {
public:
    virtual ~Form1Controls() = default;

    virtual std::u16string Text(Box box) const = 0;
    // Raises the box's change, as any change of its text does.
    virtual void SetText(Box box, std::u16string_view text) = 0;
    virtual void SetSelection(Box box, int start, int length) = 0;
    virtual void SetFocus(Box box) = 0;
    virtual void SetCommand1Enabled(bool enabled) = 0;
    virtual void SetTimer1Enabled(bool enabled) = 0;
    // The modal message with an OK button only, no icon, captioned with the
    // program's title; returns once it is dismissed.
    virtual void ShowRefusal(std::u16string_view text) = 0;
    virtual void PlayCue(std::u16string_view cueName) = 0;
};

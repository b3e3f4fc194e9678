// Asks the desktop's input method to switch on in hiragana mode for a name box
// that has just gained the focus, so a person types romaji and gets hiragana
// without pressing the input method's toggle key. What "asking" means is the
// platform's: HiraganaInputFcitx.cpp (Linux), HiraganaInputWindows.cpp, and
// HiraganaInputNone.cpp elsewhere.
#pragma once

class QWidget;

namespace HiraganaInput {

// Returns at once. The request is dropped when the box loses the focus, and
// does nothing where no input method runs.
void Request(QWidget *box);

} // namespace HiraganaInput

// Asks the desktop's input method for hiragana while a name box has the
// focus, so a person types romaji and gets hiragana without pressing the
// input method's toggle key, and gives the person's own mode back when they
// move on to another control of the window. What "asking" means is the
// input method's: fcitx5 (HiraganaInputFcitx.cpp) and IBus
// (HiraganaInputIBus.cpp) on Linux, nothing elsewhere (HiraganaInputNone.cpp).
#pragma once

class QWidget;

namespace HiraganaInput {

// A name box has just gained the focus. Returns at once; the request is
// dropped when the box loses the focus, and does nothing where no input
// method of ours runs.
void Request(QWidget *box);

// The focus has moved from a name box to another control of the window.
void Restore(QWidget *box);

} // namespace HiraganaInput

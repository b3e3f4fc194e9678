// Asks the Japanese input method for hiragana in a name box that has just
// gained the focus, so a person types romaji and gets hiragana without
// pressing the input method's toggle key. Windows keeps the mode per input
// context, so nothing else on the desktop changes.
#pragma once

#include <windows.h>

namespace HiraganaInput {

void Request(HWND box);

} // namespace HiraganaInput

#include "HiraganaInput.h"

#include <imm.h>

// IMM32: open the box's input method in native (kana), full-width
// conversion, which is hiragana for a Japanese IME.
void HiraganaInput::Request(HWND box)
{
    const HIMC context = ImmGetContext(box);
    if (!context)
        return;
    ImmSetOpenStatus(context, TRUE);
    DWORD conversion = 0;
    DWORD sentence = 0;
    ImmGetConversionStatus(context, &conversion, &sentence);
    ImmSetConversionStatus(context, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE, sentence);
    ImmReleaseContext(box, context);
}

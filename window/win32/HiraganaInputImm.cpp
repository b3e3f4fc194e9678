#include "HiraganaInput.h"

#include <QWidget>
#include <windows.h>
#include <imm.h>

// IMM32: open the window's input method and set it to native (kana),
// full-width conversion, which is hiragana for a Japanese IME.
void HiraganaInput::Request(QWidget *box)
{
    const HWND window = reinterpret_cast<HWND>(box->window()->winId());
    const HIMC context = ImmGetContext(window);
    if (!context)
        return;
    ImmSetOpenStatus(context, TRUE);
    DWORD conversion = 0;
    DWORD sentence = 0;
    ImmGetConversionStatus(context, &conversion, &sentence);
    conversion &= ~DWORD(IME_CMODE_KATAKANA);
    conversion |= IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
    ImmSetConversionStatus(context, conversion, sentence);
    ImmReleaseContext(window, context);
}

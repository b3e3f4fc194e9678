#include "HiraganaInput.h"

#include "HiraganaInputFrameworks.h"

// Each framework's request does nothing unless the program runs on it.
void HiraganaInput::Request(QWidget *box)
{
    FcitxHiragana::Request(box);
    IBusHiragana::Request(box);
}

void HiraganaInput::Restore(QWidget *box)
{
    IBusHiragana::Restore(box);
}

#include "HiraganaInput.h"

// Platforms without an input method we know how to ask: the boxes take what
// the input method gives, in whatever mode the person left it.
void HiraganaInput::Request(QWidget *) {}
void HiraganaInput::Restore(QWidget *) {}

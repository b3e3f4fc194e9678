// The input-method frameworks of Linux desktops, each asked in its own way
// (HiraganaInputFcitx.cpp, HiraganaInputIBus.cpp); HiraganaInputLinux.cpp
// asks both.
#pragma once

class QWidget;

namespace FcitxHiragana {
void Request(QWidget *box);
} // namespace FcitxHiragana

namespace IBusHiragana {
void Request(QWidget *box);
void Restore(QWidget *box);
} // namespace IBusHiragana

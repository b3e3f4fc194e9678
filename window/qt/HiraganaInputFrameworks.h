// The input-method frameworks of Linux desktops, each asked in its own way
// (HiraganaInputFcitx.cpp, HiraganaInputIBus.cpp); HiraganaInputLinux.cpp
// asks both.
#pragma once

#include <QElapsedTimer>
#include <algorithm>

class QWidget;

// When a request is made again while the input method comes up (a login
// starts it beside the program, and loading mozc takes seconds on a busy
// machine): further and further apart, for as long as that may take.
class Retries {
public:
    Retries() { clock_.start(); }
    bool Over() const { return clock_.elapsed() > GiveUpMs; }
    // The wait before the next try.
    int NextMs()
    {
        const int wait = nextMs_;
        nextMs_ = std::min(2 * nextMs_, LongestMs);
        return wait;
    }

private:
    static constexpr int LongestMs = 2000;
    static constexpr int GiveUpMs = 15000;
    QElapsedTimer clock_;
    int nextMs_ = 100;
};

namespace FcitxHiragana {
void Request(QWidget *box);
} // namespace FcitxHiragana

namespace IBusHiragana {
void Request(QWidget *box);
void Restore(QWidget *box);
} // namespace IBusHiragana

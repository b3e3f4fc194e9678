// The program's one window: two name boxes, the diagnose button and the large
// display the score is counted up in. Its look is in Form1.ui; here are its
// handlers, its one variable aisyou and the timer that drives the count.
// The score itself comes from the scoring code, the sounds from the cue player.
#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "Module1.h"

namespace Ui {
class Form1;
}
class QLineEdit;

// Plays one named cue without waiting; PlayCue unless a test listens in.
using CuePlayer = std::function<void(const QString &cueName)>;

class Form1 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint aisyou READ Aisyou)

public:
    explicit Form1(CuePlayer playCue = PlayCue, QWidget *parent = nullptr);
    ~Form1() override;

    // The score of the last diagnosis, 0 before the first.
    uint Aisyou() const { return aisyou; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Text1_Change();
    void Text2_Change();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Command1_Click();
    void Timer1_Timer();

    void NameChanged(QLineEdit *box);
    void NameGotFocus(QLineEdit *box);
    bool FocusEvent(QLineEdit *box, QEvent *event);
    void ShowRefusal();

    std::unique_ptr<Ui::Form1> ui;
    QTimer Timer1{this};
    std::uint8_t aisyou = 0;
    CuePlayer playCue;
    // The name box a mouse press has just focused: that press must not undo
    // the selection its focus handler made.
    QLineEdit *focusedByPress = nullptr;
    bool firstActivationDone = false;
};

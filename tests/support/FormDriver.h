// Drives Form1 as a person does, through its controls by name: clicks,
// keys and text committed by an input method. Records every cue the window
// asks for, with what the window showed at that moment.
#pragma once

#include <QElapsedTimer>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "Form1.h"
#include "Ready.h"

class FormDriver {
public:
    struct Cue {
        QString name;     // "Push", "Kin", "Pororon"
        QString display;  // Text3 when the cue was asked for
        bool buttonEnabled;
        qint64 atMs;      // since the driver started
    };

    // Records cues and also hands them on to player, when one is given.
    explicit FormDriver(CuePlayer player = {});

    Form1 &form() const { return *form_; }
    QLineEdit *box(const char *name) const;
    QLineEdit *Text1() const { return box("Text1"); }
    QLineEdit *Text2() const { return box("Text2"); }
    QLineEdit *Text3() const { return box("Text3"); }
    QLineEdit *Text4() const { return box("Text4"); }
    QPushButton *Command1() const;
    QTimer *Timer1() const;

    void Click(QWidget *widget);
    // Text as an input method commits it: one change of the box.
    void Commit(QLineEdit *box, const QString &text);
    // Clicks the box, selects all and replaces its name by text in one commit.
    void Enter(QLineEdit *box, const QString &text);
    // Waits (up to timeoutMs) until the timer has stopped.
    bool WaitForCountToEnd(int timeoutMs = ReadyMs);

    QList<Cue> cues;
    QStringList displayed; // every text Text3 was given, in order
    QElapsedTimer clock;

private:
    std::unique_ptr<Form1> form_;
};

// The program's one window on Qt: two name boxes, the diagnose button and the
// large display the score is counted up in. Its look is in Form1.ui; what the
// controls do is in the shared handlers (Form1Handlers.h), which this class
// raises from Qt's events and serves through the controls' operations.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string_view>

#include "Form1Controls.h"
#include "Form1Handlers.h"
#include "Module1.h"

namespace Ui {
class Form1;
}
class QLineEdit;

// Plays one named cue without waiting; PlayCue unless a test listens in.
using CuePlayer = std::function<void(std::u16string_view cueName)>;

class Form1 : public QWidget, private Form1Controls {
    Q_OBJECT
    Q_PROPERTY(uint aisyou READ Aisyou)

public:
    explicit Form1(CuePlayer playCue = ::PlayCue, QWidget *parent = nullptr);
    ~Form1() override;

    // The score of the last diagnosis, 0 before the first.
    uint Aisyou() const { return handlers.Aisyou(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool FocusEvent(QLineEdit *box, QEvent *event);
    QLineEdit *BoxWidget(Box box) const;

    // The controls' operations, for the handlers.
    std::u16string Text(Box box) const override;
    void SetText(Box box, std::u16string_view text) override;
    void SetSelection(Box box, int start, int length) override;
    void SetFocus(Box box) override;
    void SetCommand1Enabled(bool enabled) override;
    void SetTimer1Enabled(bool enabled) override;
    void ShowRefusal(std::u16string_view text) override;
    void PlayCue(std::u16string_view cueName) override;

    std::unique_ptr<Ui::Form1> ui;
    QTimer Timer1{this};
    CuePlayer playCue;
    Form1Handlers handlers{*this};
    // The name box a mouse press has just focused: that press must not undo
    // the selection its focus handler made.
    QLineEdit *focusedByPress = nullptr;
    bool firstActivationDone = false;
    QMetaObject::Connection leavingNames;
};

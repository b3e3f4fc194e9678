#include "Form1.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "DesignFonts.h"
#include "Form1Accessible.h"
#include "HiraganaInput.h"
#include "ProgramIcon.h"
#include "Utf16View.h"
#include "ui_Form1.h"

namespace {

QString FromUtf16(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

} // namespace

Form1::Form1(CuePlayer playCue, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::Form1>()), playCue(std::move(playCue))
{
    InstallForm1Accessible();
    RegisterDesignFace();
    ui->setupUi(this);
    ApplyFractionalPointSizes(this);
    // The icon's images are read once the window is up: the desktop shows
    // an icon set a moment after the window as well, and the first paint
    // need not wait for image decoding.
    QTimer::singleShot(0, this, [this] { setWindowIcon(ProgramIcon()); });

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(Form1Handlers::Timer1IntervalMs);
    Timer1.setTimerType(Qt::PreciseTimer);

    connect(ui->Text1, &QLineEdit::textChanged, this, [this] { handlers.Text1_Change(); });
    connect(ui->Text2, &QLineEdit::textChanged, this, [this] { handlers.Text2_Change(); });
    connect(ui->Command1, &QPushButton::clicked, this, [this] { handlers.Command1_Click(); });
    connect(&Timer1, &QTimer::timeout, this, [this] { handlers.Timer1_Timer(); });
    ui->Text1->installEventFilter(this);
    ui->Text2->installEventFilter(this);
    // Leaving the names for another control of the window gives the person
    // their own input mode back; a name box to a name box keeps hiragana.
    leavingNames = connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        const auto isName = [this](QWidget *widget) { return widget == ui->Text1 || widget == ui->Text2; };
        if (isName(old) && now && now->window() == this && !isName(now))
            HiraganaInput::Restore(old);
    });

    ui->Text1->setFocus();
}

Form1::~Form1()
{
    // Closing the window moves the focus too, after its controls are gone.
    disconnect(leavingNames);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Text1 || watched == ui->Text2)
        return FocusEvent(static_cast<QLineEdit *>(watched), event);
    return QWidget::eventFilter(watched, event);
}

// Runs the focus handlers when a name box is entered from elsewhere in the
// window (by Tab, a click or the program) and when the window first opens;
// not when the window merely becomes active again or a popup menu closes,
// which would select away what the user was typing.
bool Form1::FocusEvent(QLineEdit *box, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::PopupFocusReason)
            return false;
        if (reason == Qt::ActiveWindowFocusReason && std::exchange(firstActivationDone, true))
            return false;
        firstActivationDone = true;
        focusedByPress = reason == Qt::MouseFocusReason ? box : nullptr;
        box == ui->Text1 ? handlers.Text1_GotFocus() : handlers.Text2_GotFocus();
        HiraganaInput::Request(box);
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress && focusedByPress == box) {
        // The press that focused the box would place the cursor and so undo
        // the selection; it has done its work by focusing the box.
        focusedByPress = nullptr;
        return true;
    }
    return false;
}

QLineEdit *Form1::BoxWidget(Box box) const
{
    switch (box) {
    case Box::Text1: return ui->Text1;
    case Box::Text2: return ui->Text2;
    case Box::Text3: return ui->Text3;
    case Box::Text4: return ui->Text4;
    }
    return nullptr;
}

std::u16string Form1::Text(Box box) const
{
    const QString text = BoxWidget(box)->text();
    return std::u16string(Utf16View(text));
}

void Form1::SetText(Box box, std::u16string_view text)
{
    BoxWidget(box)->setText(FromUtf16(text));
}

void Form1::SetSelection(Box box, int start, int length)
{
    BoxWidget(box)->setSelection(start, length);
}

void Form1::SetFocus(Box box)
{
    BoxWidget(box)->setFocus();
}

void Form1::SetCommand1Enabled(bool enabled)
{
    ui->Command1->setEnabled(enabled);
}

void Form1::SetTimer1Enabled(bool enabled)
{
    // Enabling a running timer leaves its pace alone.
    if (!enabled)
        Timer1.stop();
    else if (!Timer1.isActive())
        Timer1.start();
}

void Form1::ShowRefusal(std::u16string_view text)
{
    QMessageBox message(QMessageBox::NoIcon, FromUtf16(Form1Text::Title), FromUtf16(text), QMessageBox::Ok,
                        this);
    message.exec();
}

void Form1::PlayCue(std::u16string_view cueName)
{
    playCue(cueName);
}

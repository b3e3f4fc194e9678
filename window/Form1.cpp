#include "Form1.h"

#include <QFocusEvent>
#include <QMessageBox>
#include <QPushButton>
#include <cmath>
#include <utility>

#include "DesignFonts.h"
#include "Form1Accessible.h"
#include "DiagnosePair.h"
#include "HiraganaInput.h"
#include "NameToDigits.h"
#include "ProgramIcon.h"
#include "Utf16View.h"
#include "ui_Form1.h"

namespace {

const QString PushCue = QStringLiteral("./Sound/Push");
const QString KinCue = QStringLiteral("./Sound/Kin");
const QString PororonCue = QStringLiteral("./Sound/Pororon");

bool IsAllKana(const QString &text)
{
    return scoring::NameToDigits(Utf16View(text)).size() == std::size_t(text.size());
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
    Timer1.setInterval(50);
    Timer1.setTimerType(Qt::PreciseTimer);

    connect(ui->Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(ui->Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
    connect(ui->Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(&Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    ui->Text1->installEventFilter(this);
    ui->Text2->installEventFilter(this);

    ui->Text1->setFocus();
}

Form1::~Form1() = default;

void Form1::Text1_Change() { NameChanged(ui->Text1); }
void Form1::Text2_Change() { NameChanged(ui->Text2); }
void Form1::Text1_GotFocus() { NameGotFocus(ui->Text1); }
void Form1::Text2_GotFocus() { NameGotFocus(ui->Text2); }

void Form1::NameChanged(QLineEdit *box)
{
    // A changed name ends any count: its score no longer belongs to the names.
    Timer1.stop();
    ui->Text3->clear();
    if (!IsAllKana(box->text())) {
        ShowRefusal();
        box->clear(); // runs this handler again, for the empty box
    }
    ui->Command1->setEnabled(!ui->Text1->text().isEmpty() && !ui->Text2->text().isEmpty());
}

void Form1::ShowRefusal()
{
    QMessageBox message(QMessageBox::NoIcon, QStringLiteral("ミヌカペ"),
                        QStringLiteral("ひらがな50音のみで入力してね。"), QMessageBox::Ok, this);
    message.exec();
}

void Form1::NameGotFocus(QLineEdit *box)
{
    // The whole name is selected, so the next keystroke replaces it.
    box->setSelection(0, int(box->text().size()));
    HiraganaInput::Request(box);
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
        box == ui->Text1 ? Text1_GotFocus() : Text2_GotFocus();
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

void Form1::Command1_Click()
{
    ui->Command1->setEnabled(false);
    playCue(PushCue);
    const scoring::Diagnosis diagnosis = scoring::DiagnosePair(Utf16View(ui->Text1->text()),
                                                               Utf16View(ui->Text2->text()));
    ui->Text4->setText(QString::fromStdString(diagnosis.digits));
    aisyou = diagnosis.score;
    ui->Text3->setText(QStringLiteral("0"));
    Timer1.start();
}

void Form1::Timer1_Timer()
{
    bool isNumber = false;
    const double shown = ui->Text3->text().toDouble(&isNumber);
    if (!isNumber || !(shown < aisyou)) {
        // Nothing left to count: the display was emptied or already holds the score.
        Timer1.stop();
        return;
    }
    const double value = shown + 1;
    ui->Text3->setText(QString::number(value, 'f', 0));
    if (value == aisyou) {
        playCue(PororonCue);
        Timer1.stop();
    } else if (std::fmod(value, 10) == 0) {
        playCue(KinCue);
    }
}

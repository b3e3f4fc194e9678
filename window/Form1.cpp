#include "Form1.h"

#include "DesignFonts.h"
#include "ProgramIcon.h"
#include "ui_Form1.h"

Form1::Form1(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::Form1>())
{
    ui->setupUi(this);
    ApplyDesignFonts(this);
    setWindowIcon(ProgramIcon());

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(50);
    Timer1.setTimerType(Qt::PreciseTimer);

    ui->Text1->setFocus();
}

Form1::~Form1() = default;

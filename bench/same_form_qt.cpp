// The Qt face's fair floor: the same window with no behaviour. Form1.ui with
// its design faces, fractional sizes and icon, shown as the program shows it,
// and no handlers, sound, input method or accessibility of its own: what any
// program of this look costs to start.
#include <QApplication>
#include <QTimer>

#include "DesignFonts.h"
#include "ProgramIcon.h"
#include "ui_Form1.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget form;
    Ui::Form1 ui;
    RegisterDesignFace();
    ui.setupUi(&form);
    ApplyFractionalPointSizes(&form);
    QTimer::singleShot(0, &form, [&form] { form.setWindowIcon(ProgramIcon()); });
    ui.Text1->setFocus();
    form.show();
    return app.exec();
}

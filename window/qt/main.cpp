// Starts the program: the window is the whole of it, and closing it ends it.
#include <QApplication>

#include "Form1.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("ミヌカペ"));
    Form1 form;
    form.show();
    return app.exec();
}

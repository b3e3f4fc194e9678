// Starts the program: the window is the whole of it, and closing it ends it.
#include <QApplication>

#include "Form1.h"
#include "Form1Handlers.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(
        QString::fromUtf16(Form1Text::Title.data(), qsizetype(Form1Text::Title.size())));
    Form1 form;
    form.show();
    return app.exec();
}

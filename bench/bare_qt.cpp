// The floor the program's start is measured against: a bare Qt Widgets
// window of the same size, with nothing in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(468, 384);
    window.setWindowTitle(QStringLiteral("bare"));
    window.show();
    return app.exec();
}

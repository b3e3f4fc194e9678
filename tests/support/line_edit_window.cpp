// Another program's text box, for the input-method tests: a window titled
// "minukape-other" with one line edit that prints its text on every change,
// so a test sees what the desktop's input method types into other programs.
#include <QApplication>
#include <QLineEdit>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLineEdit edit;
    edit.setWindowTitle(QStringLiteral("minukape-other"));
    edit.setGeometry(0, 420, 300, 40); // below the game's window
    QObject::connect(&edit, &QLineEdit::textChanged, [](const QString &text) {
        std::printf("%s\n", qPrintable(text));
        std::fflush(stdout);
    });
    edit.show();
    return app.exec();
}

// A second floor: the bare Qt window with one line of Japanese in the
// Mincho face, which is what loading the font database and a CJK face costs
// any Qt program that shows Japanese text.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(468, 384);
    window.setWindowTitle(QStringLiteral("bare"));
    QLabel label(QStringLiteral("相性を占う二人の氏名をひらがな50音で入力してください。"), &window);
    QFont font(QStringLiteral("IPAexMincho"), 9);
    label.setFont(font);
    window.show();
    return app.exec();
}

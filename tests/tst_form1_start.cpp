// The window as it opens, on the offscreen platform: every control in place
// with its design values, in its start state.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

#include "Form1.h"
#include "Ready.h"

namespace {

// The faces the kana of a text are actually drawn with, fallbacks included.
QStringList FacesDrawing(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    for (const QGlyphRun &run : layout.glyphRuns())
        faces << run.rawFont().familyName();
    faces.removeDuplicates();
    return faces;
}

bool IsMincho(const QString &face)
{
    return face.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive)
        || face.contains(QStringLiteral("明朝"));
}

} // namespace

class TestForm1Start : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
    void controls_data();
    void controls();
    void fonts_data();
    void fonts();
    void colours();
    void startState();
    void tabOrder();

private:
    template <typename T>
    T *control(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }

    Form1 *form = nullptr;
};

void TestForm1Start::init()
{
    form = new Form1;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form, ReadyMs));
    QApplication::setActiveWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form, ReadyMs));
}

void TestForm1Start::cleanup()
{
    delete form;
    form = nullptr;
}

void TestForm1Start::window()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("ミヌカペ"));
    QCOMPARE(form->size(), QSize(468, 384));
    QCOMPARE(form->minimumSize(), QSize(468, 384));
    QCOMPARE(form->maximumSize(), QSize(468, 384));
    const QList<QSize> sizes = form->windowIcon().availableSizes();
    for (int size : {16, 32, 48, 256})
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
}

void TestForm1Start::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    // Positions of the design, converted at 15 twips a pixel.
    QTest::newRow("Text1") << "Text1" << QRect(32, 120, 185, 25) << QStringLiteral("やまだたろう");
    QTest::newRow("Text2") << "Text2" << QRect(248, 120, 185, 25) << QStringLiteral("すずきはなこ");
    QTest::newRow("Command1") << "Command1" << QRect(168, 168, 129, 57) << QStringLiteral("相性を診断する");
    QTest::newRow("Text3") << "Text3" << QRect(128, 248, 209, 109) << QString();
    QTest::newRow("Text4") << "Text4" << QRect(8, 360, 225, 18) << QStringLiteral("数値データ");
    QTest::newRow("Label1") << "Label1" << QRect(8, 8, 257, 33) << QStringLiteral("ミヌカペ");
    QTest::newRow("Label2") << "Label2" << QRect(352, 360, 105, 17) << QStringLiteral("by ZORBLE");
    QTest::newRow("Label3") << "Label3" << QRect(24, 64, 353, 17)
                            << QStringLiteral("相性を占う二人の氏名をひらがな50音で入力してください。");
    QTest::newRow("Label4") << "Label4" << QRect(24, 88, 353, 17)
                            << QStringLiteral("相性度は１～１００で診断されます。");
}

void TestForm1Start::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    QWidget *widget = form->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        QCOMPARE(box->text(), text);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
    else
        QCOMPARE(qobject_cast<QPushButton *>(widget)->text(), text);
}

void TestForm1Start::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("pointSize");

    QTest::newRow("Form1") << "Form1" << 9.0;
    QTest::newRow("Text1") << "Text1" << 9.0;
    QTest::newRow("Text2") << "Text2" << 9.0;
    QTest::newRow("Command1") << "Command1" << 9.0;
    QTest::newRow("Label3") << "Label3" << 9.0;
    QTest::newRow("Label4") << "Label4" << 9.0;
    QTest::newRow("Label1 title") << "Label1" << 26.25;
    QTest::newRow("Label2 credit") << "Label2" << 12.0;
    QTest::newRow("Text3 display") << "Text3" << 72.0;
}

void TestForm1Start::fonts()
{
    QFETCH(QString, name);
    QFETCH(qreal, pointSize);

    QWidget *widget = name == QLatin1String("Form1") ? form : form->findChild<QWidget *>(name);
    QVERIFY(widget);
    const QFont font = widget->font();
    QCOMPARE(font.pointSizeF(), pointSize);
    QCOMPARE(font.weight(), QFont::Normal);
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    QCOMPARE(font.families().value(0), QStringLiteral("ＭＳ 明朝"));

    const QStringList faces = FacesDrawing(QStringLiteral("ひらがなカタカナ相性"), font);
    QVERIFY2(!faces.isEmpty(), "no glyphs laid out");
    for (const QString &face : faces)
        QVERIFY2(IsMincho(face), qPrintable(QStringLiteral("kana drawn with %1").arg(face)));
}

void TestForm1Start::colours()
{
    const QColor window(192, 192, 255);
    QCOMPARE(form->palette().color(QPalette::Window), window);
    QVERIFY(form->autoFillBackground());
    for (const char *name : {"Label1", "Label2", "Label3", "Label4"}) {
        QCOMPARE(control<QLabel>(name)->palette().color(QPalette::Window), window);
        QVERIFY(control<QLabel>(name)->autoFillBackground());
    }

    auto *display = control<QLineEdit>("Text3");
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        QCOMPARE(display->palette().color(group, QPalette::Base), QColor(255, 128, 0));
        QCOMPARE(display->palette().color(group, QPalette::Text), QColor(0, 0, 255));
    }
    // No style sheet: the platform's own style draws every control.
    QVERIFY(form->styleSheet().isEmpty());
}

void TestForm1Start::startState()
{
    auto *display = control<QLineEdit>("Text3");
    auto *digits = control<QLineEdit>("Text4");
    auto *timer = form->findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);

    QVERIFY(control<QPushButton>("Command1")->isEnabled());
    QVERIFY(display->text().isEmpty());
    QVERIFY(display->isReadOnly());
    QCOMPARE(display->alignment(), Qt::AlignCenter);
    QCOMPARE(display->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!control<QLineEdit>("Text1")->isReadOnly());
    QVERIFY(!control<QLineEdit>("Text2")->isReadOnly());
    QVERIFY(!digits->isVisible());
    QVERIFY(digits->isHidden());
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->interval(), 50);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    QCOMPARE(form->property("aisyou").toUInt(), 0u);
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>("Text1"));
}

void TestForm1Start::tabOrder()
{
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, (QStringList{"Text1", "Text2", "Command1", "Text3",
                                   "Text1", "Text2", "Command1", "Text3"}));
    QVERIFY(!control<QLineEdit>("Text4")->isVisible());
}

QTEST_MAIN(TestForm1Start)
#include "tst_form1_start.moc"

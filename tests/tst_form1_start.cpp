// The window as it opens, on the offscreen platform: every control in place
// with its design values, in its start state.
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextLayout>

#include "Form1Layout.h"
#include "FormDriver.h"

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

// The table's colours are 0x00BBGGRR.
QColor Rgb(Form1Layout::Colour c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

class TestForm1Start : public QObject {
    Q_OBJECT

private slots:
    void window()
    {
        FormDriver driver;
        const Form1 *form = &driver.form();
        const QSize client(Form1Layout::ClientWidthTwips / Form1Layout::TwipsPerPixel,
                           Form1Layout::ClientHeightTwips / Form1Layout::TwipsPerPixel);
        QCOMPARE(form->windowTitle(), QString::fromUtf16(Form1Layout::Caption.data(), Form1Layout::Caption.size()));
        QCOMPARE(form->size(), client);
        QCOMPARE(form->minimumSize(), client);
        QCOMPARE(form->maximumSize(), client);
        QCOMPARE(form->palette().color(QPalette::Window), Rgb(Form1Layout::FormColour));
        QVERIFY(form->autoFillBackground());
        QCOMPARE(form->font().pointSizeF(), Form1Layout::DefaultPointsX100 / 100.0);
        // No style sheet: the platform's own style draws every control.
        QVERIFY(form->styleSheet().isEmpty());
        const QList<QSize> sizes = form->windowIcon().availableSizes();
        for (int size : {16, 32, 48, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }

    // Every control of the Designer form against the layout table that the
    // other faces build from: kind, place (15 twips a pixel), text, name, font
    // and colours.
    void controls_data()
    {
        QTest::addColumn<int>("row");
        for (const Form1Layout::Control &control : Form1Layout::Controls)
            QTest::newRow(control.name.data()) << int(&control - Form1Layout::Controls.data());
    }

    void controls()
    {
        QFETCH(int, row);
        const Form1Layout::Control &control = Form1Layout::Controls[std::size_t(row)];
        const auto utf16 = [](std::u16string_view text) { return QString::fromUtf16(text.data(), text.size()); };
        const int px = Form1Layout::TwipsPerPixel;

        FormDriver driver;
        QWidget *widget = driver.form().findChild<QWidget *>(QString::fromLatin1(control.name));
        QVERIFY(widget);
        QCOMPARE(widget->geometry(),
                 QRect(control.left / px, control.top / px, control.width / px, control.height / px));
        QString text;
        if (auto *box = qobject_cast<QLineEdit *>(widget))
            text = box->text();
        else if (auto *label = qobject_cast<QLabel *>(widget))
            text = label->text();
        else if (auto *button = qobject_cast<QPushButton *>(widget))
            text = button->text();
        const char *kinds[] = {"QLineEdit", "QPushButton", "QLabel"};
        QCOMPARE(widget->metaObject()->className(), kinds[int(control.kind)]);
        QCOMPARE(text, utf16(control.text));
        QCOMPARE(widget->accessibleName().isEmpty() ? text : widget->accessibleName(),
                 utf16(Form1Layout::SpokenName(control)));
        QCOMPARE(widget->isHidden(), !control.shown);

        const QFont font = widget->font();
        QCOMPARE(font.pointSizeF(), control.pointsX100 / 100.0);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        QCOMPARE(font.families().value(0), utf16(Form1Layout::DesignFace));
        const QStringList faces = FacesDrawing(QStringLiteral("ひらがなカタカナ相性"), font);
        QVERIFY2(!faces.isEmpty(), "no glyphs laid out");
        for (const QString &face : faces)
            QVERIFY2(IsMincho(face), qPrintable(QStringLiteral("kana drawn with %1").arg(face)));

        const bool box = control.kind == Form1Layout::Kind::TextBox;
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            if (control.background != Form1Layout::PlatformColour)
                QCOMPARE(widget->palette().color(group, box ? QPalette::Base : QPalette::Window),
                         Rgb(control.background));
            if (control.foreground != Form1Layout::PlatformColour)
                QCOMPARE(widget->palette().color(group, box ? QPalette::Text : QPalette::WindowText),
                         Rgb(control.foreground));
        }
        if (!box && control.background != Form1Layout::PlatformColour)
            QVERIFY(widget->autoFillBackground());
    }

    void startState()
    {
        FormDriver driver;
        QLineEdit *display = driver.Text3(), *digits = driver.Text4();
        QTimer *timer = driver.Timer1();
        QVERIFY(timer);

        QVERIFY(driver.Command1()->isEnabled());
        QVERIFY(display->text().isEmpty());
        QVERIFY(display->isReadOnly());
        QCOMPARE(display->alignment(), Qt::AlignCenter);
        QCOMPARE(display->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!driver.Text1()->isReadOnly() && !driver.Text2()->isReadOnly());
        QVERIFY(!digits->isVisible());
        QVERIFY(digits->isHidden());
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 50);
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QCOMPARE(driver.form().property("aisyou").toUInt(), 0u);
        QCOMPARE(QApplication::focusWidget(), driver.Text1());
    }

    void tabOrder()
    {
        FormDriver driver;
        QStringList visited;
        for (int i = 0; i < 8; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // The controls a person can reach, in the table's tab order, and round again.
        QStringList reachable;
        for (const Form1Layout::Control &control : Form1Layout::Controls) {
            if (control.shown && control.kind != Form1Layout::Kind::Label)
                reachable << QString::fromLatin1(control.name);
        }
        QCOMPARE(visited, reachable + reachable);
        QVERIFY(!driver.Text4()->isVisible());
    }
};

QTEST_MAIN(TestForm1Start)
#include "tst_form1_start.moc"

// The window as it opens, on the offscreen platform: every control in place
// with the original's values (tests/window.json), in its start state.
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextLayout>

#include "FormDriver.h"
#include "OriginalColour.h"

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

// In the design's pixels, 15 twips each.
QRect Place(const QJsonValue &rect)
{
    const QJsonArray r = rect.toArray();
    return QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
}

} // namespace

class TestForm1Start : public QObject {
    Q_OBJECT

private slots:
    void window()
    {
        FormDriver driver;
        const Form1 *form = &driver.form();
        const QJsonObject original = Original();
        const QSize client(original[u"width"].toInt(), original[u"height"].toInt());
        QVERIFY(!client.isEmpty());
        QCOMPARE(form->windowTitle(), original[u"caption"].toString());
        QCOMPARE(form->size(), client);
        QCOMPARE(form->minimumSize(), client);
        QCOMPARE(form->maximumSize(), client);
        QCOMPARE(form->palette().color(QPalette::Window), Rgb(original[u"colour"]));
        QVERIFY(form->autoFillBackground());
        QCOMPARE(form->font().pointSizeF(), 9.0);
        // No style sheet: the platform's own style draws every control.
        QVERIFY(form->styleSheet().isEmpty());
        const QList<QSize> sizes = form->windowIcon().availableSizes();
        for (int size : {16, 32, 48, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }

    // Every control of the Designer form against the original: kind, place,
    // text, name, font and colours.
    void controls_data()
    {
        QTest::addColumn<QJsonObject>("control");
        const QJsonArray controls = Original()[u"controls"].toArray();
        QCOMPARE(controls.size(), 9);
        for (const QJsonValue &control : controls)
            QTest::newRow(qPrintable(control[u"name"].toString())) << control.toObject();
    }

    void controls()
    {
        QFETCH(QJsonObject, control);

        FormDriver driver;
        QWidget *widget = driver.form().findChild<QWidget *>(control[u"name"].toString());
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), Place(control[u"rect"]));
        QString text;
        if (auto *box = qobject_cast<QLineEdit *>(widget))
            text = box->text();
        else if (auto *label = qobject_cast<QLabel *>(widget))
            text = label->text();
        else if (auto *button = qobject_cast<QPushButton *>(widget))
            text = button->text();
        const QString kind = control[u"kind"].toString();
        const bool box = kind == u"text box";
        QCOMPARE(widget->metaObject()->className(), box ? "QLineEdit" : kind == u"label" ? "QLabel" : "QPushButton");
        QCOMPARE(text, control[u"text"].toString());
        QCOMPARE(widget->accessibleName().isEmpty() ? text : widget->accessibleName(), control[u"spoken"].toString());
        QCOMPARE(widget->isHidden(), !control[u"shown"].toBool());

        const QFont font = widget->font();
        QCOMPARE(font.pointSizeF(), control[u"fontPx"].toDouble() * 0.75); // a pixel is 3/4 of a point
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        QCOMPARE(font.families().value(0), QStringLiteral("ＭＳ 明朝"));
        const QStringList faces = FacesDrawing(QStringLiteral("ひらがなカタカナ相性"), font);
        QVERIFY2(!faces.isEmpty(), "no glyphs laid out");
        for (const QString &face : faces)
            QVERIFY2(IsMincho(face), qPrintable(QStringLiteral("kana drawn with %1").arg(face)));

        const QColor background = Rgb(control[u"background"]), foreground = Rgb(control[u"foreground"]);
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            if (background.isValid())
                QCOMPARE(widget->palette().color(group, box ? QPalette::Base : QPalette::Window), background);
            if (foreground.isValid())
                QCOMPARE(widget->palette().color(group, box ? QPalette::Text : QPalette::WindowText), foreground);
        }
        if (!box && background.isValid())
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
        QCOMPARE(timer->interval(), Original()[u"timer1Ms"].toInt());
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
        // The controls a person can reach, in the original's tab order, and round again.
        const QStringList reachable{"Text1", "Text2", "Command1", "Text3"};
        QCOMPARE(visited, reachable + reachable);
        QVERIFY(!driver.Text4()->isVisible());
    }
};

QTEST_MAIN(TestForm1Start)
#include "tst_form1_start.moc"

// The window on a real X server: takes a screenshot of the whole screen and
// checks the colours a person sees at known points, at any display scale.
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include "Form1.h"
#include "OriginalColour.h"
#include "Ready.h"

class TestForm1Screenshot : public QObject {
    Q_OBJECT

private slots:
    void colours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("point"); // in the widget's own coordinates
        QTest::addColumn<QColor>("colour");

        const QColor window = Rgb(Original()[u"colour"]);
        const QColor display = Rgb(OriginalControl(QStringLiteral("Text3"))[u"background"]);
        QTest::newRow("window, top right") << "Form1" << QPoint(440, 20) << window;
        QTest::newRow("window, between boxes") << "Form1" << QPoint(232, 132) << window;
        QTest::newRow("window, left of display") << "Form1" << QPoint(60, 300) << window;
        QTest::newRow("title label, right of text") << "Label1" << QPoint(250, 28) << window;
        QTest::newRow("display box, centre") << "Text3" << QPoint(104, 54) << display;
        QTest::newRow("display box, near corner") << "Text3" << QPoint(12, 12) << display;
    }

    void colours()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);

        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form, ReadyMs));

        QWidget *widget = name == QLatin1String("Form1") ? &form : form.findChild<QWidget *>(name);
        QVERIFY(widget);
        QScreen *screen = form.screen();
        const QPoint global = widget->mapToGlobal(point) - screen->geometry().topLeft();
        const auto seen = [&] {
            const QImage shot = screen->grabWindow(0).toImage();
            const QPoint pixel = (QPointF(global) * shot.devicePixelRatio()).toPoint();
            return shot.rect().contains(pixel) ? shot.pixelColor(pixel).toRgb() : QColor();
        };
        // The screen shows the window once it has painted itself: until then, read again.
        QTRY_COMPARE_WITH_TIMEOUT(seen(), colour, ReadyMs);
    }
};

QTEST_MAIN(TestForm1Screenshot)
#include "tst_form1_screenshot.moc"

// What a screen reader is told about the window: each control's role, name
// and description, and no trace of the hidden digit box.
#include <QAccessible>
#include <QTest>

#include "FormDriver.h"
#include "Original.h"

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void controls_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<int>("role");
        QTest::addColumn<bool>("described");

        QTest::newRow("first name box") << "Text1" << int(QAccessible::EditableText) << true;
        QTest::newRow("second name box") << "Text2" << int(QAccessible::EditableText) << true;
        QTest::newRow("button") << "Command1" << int(QAccessible::Button) << true;
        QTest::newRow("result box") << "Text3" << int(QAccessible::EditableText) << true;
        QTest::newRow("title") << "Label1" << int(QAccessible::StaticText) << false;
        QTest::newRow("instruction") << "Label3" << int(QAccessible::StaticText) << false;
    }

    // Each control's name is the one the original's record says a screen reader speaks.
    void controls()
    {
        QFETCH(QString, object);
        QFETCH(int, role);
        QFETCH(bool, described);
        const QString name = OriginalControl(object)[u"spoken"].toString();
        QVERIFY(!name.isEmpty());

        FormDriver driver;
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&driver.form());
        QAccessibleInterface *control = nullptr;
        for (int i = 0; i < window->childCount(); ++i) {
            if (window->child(i)->object()->objectName() == object)
                control = window->child(i);
        }
        QVERIFY2(control, "not among the window's accessible children");
        QCOMPARE(int(control->role()), role);
        QCOMPARE(control->text(QAccessible::Name), name);
        QCOMPARE(!control->text(QAccessible::Description).isEmpty(), described);
        QVERIFY(window->indexOfChild(control) >= 0);
        QCOMPARE(control->parent()->object(), &driver.form());
    }

    void hiddenBoxIsNotInTheTree()
    {
        FormDriver driver;
        driver.Click(driver.Command1()); // fills the hidden box
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&driver.form());
        QStringList children;
        for (int i = 0; i < window->childCount(); ++i)
            children << window->child(i)->object()->objectName();
        QCOMPARE(children.size(), 8);
        QVERIFY(!children.contains(QStringLiteral("Text4")));
        QVERIFY(!window->child(-1) && !window->child(8));
        QCOMPARE(window->indexOfChild(QAccessible::queryAccessibleInterface(driver.Text4())), -1);
    }

    void finalScoreIsReadable()
    {
        FormDriver driver;
        driver.Click(driver.Command1());
        QVERIFY(driver.WaitForCountToEnd());
        QAccessibleInterface *result = QAccessible::queryAccessibleInterface(driver.Text3());
        QCOMPARE(result->text(QAccessible::Value), QStringLiteral("38"));
        QVERIFY(result->textInterface());
        QCOMPARE(result->textInterface()->text(0, result->textInterface()->characterCount()),
                 QStringLiteral("38"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

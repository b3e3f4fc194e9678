// Entering names in the Qt window as a person does: the boxes' changes and
// focus reach the handlers from typed keys, an input method's commit and
// every way into a box, and the refusal is Qt's message box.
#include <QApplication>
#include <QTest>

#include "FormDriver.h"
#include "ModalDismisser.h"

class TestNameEntry : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatIsNotKana_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed"); // typed key by key rather than committed

        // What a refusal refuses is the handlers' (tst_form1_handlers); here, that both boxes
        // reach them, from typed keys and from an input method's commit.
        QTest::newRow("kanji 山田, committed") << "Text1" << QStringLiteral("山田") << false;
        QTest::newRow("katakana name タロウ, committed") << "Text2" << QStringLiteral("タロウ") << false;
        QTest::newRow("digit, typed") << "Text1" << QStringLiteral("7") << true;
        QTest::newRow("Latin letter, typed") << "Text2" << QStringLiteral("a") << true;
    }

    void refusesWhatIsNotKana()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(bool, typed);

        FormDriver driver;
        driver.Click(driver.Command1()); // a count runs and the display shows a number
        QCOMPARE(driver.Text3()->text(), QStringLiteral("0"));
        driver.cues.clear();

        QLineEdit *name = driver.box(qPrintable(box));
        ModalDismisser dismisser;
        driver.Click(name);
        if (typed)
            QTest::keyClicks(name, text);
        else
            driver.Commit(name, text);

        QCOMPARE(dismisser.messages.size(), 1);
        const ModalDismisser::Message &message = dismisser.messages.first();
        QCOMPARE(message.text, QStringLiteral("ひらがな50音のみで入力してね。"));
        QCOMPARE(message.title, QStringLiteral("ミヌカペ"));
        QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(message.icon, QMessageBox::NoIcon);

        QVERIFY(name->text().isEmpty());
        QVERIFY(!driver.Command1()->isEnabled());
        QVERIFY(driver.Text3()->text().isEmpty());
        QVERIFY(!driver.Timer1()->isActive());
        // A stopped count must not tick on.
        QVERIFY(Stays([&] { return driver.Text3()->text().isEmpty() && driver.cues.isEmpty(); }, 120));
    }

    void acceptsKana_data()
    {
        QTest::addColumn<QString>("text");

        QTest::newRow("voiced and small kana") << QStringLiteral("じゅんぺい");
        QTest::newRow("long name") << QString(300, u'は');
    }

    void acceptsKana()
    {
        QFETCH(QString, text);

        FormDriver driver;
        ModalDismisser dismisser;
        driver.Enter(driver.Text2(), text);
        QCOMPARE(driver.Text2()->text(), text);
        QVERIFY(dismisser.messages.isEmpty());
        QVERIFY(driver.Command1()->isEnabled());
    }

    void deletingANameDisablesTheButton_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");

        QTest::newRow("Text1, Backspace") << "Text1" << int(Qt::Key_Backspace);
        QTest::newRow("Text2, Delete") << "Text2" << int(Qt::Key_Delete);
    }

    void deletingANameDisablesTheButton()
    {
        QFETCH(QString, box);
        QFETCH(int, key);

        FormDriver driver;
        ModalDismisser dismisser;
        QLineEdit *name = driver.box(qPrintable(box));
        QLineEdit *other = name == driver.Text1() ? driver.Text2() : driver.Text1();
        driver.Click(other);
        driver.Click(name); // entering the box selects the whole name
        QTest::keyClick(name, Qt::Key(key));

        QVERIFY(name->text().isEmpty());
        QVERIFY(!driver.Command1()->isEnabled());
        QVERIFY(dismisser.messages.isEmpty());

        // The other box still holds a name, so one kana typed in enables the button.
        driver.Commit(name, QStringLiteral("あ"));
        QVERIFY(driver.Command1()->isEnabled());
    }

    void enteringABoxSelectsItsName_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("box");

        QTest::newRow("at start") << "start" << "Text1";
        QTest::newRow("Tab into Text2") << "tab" << "Text2";
        QTest::newRow("Shift+Tab back into Text1") << "backtab" << "Text1";
        QTest::newRow("click into Text2") << "click" << "Text2";
        QTest::newRow("click into Text1") << "click" << "Text1";
    }

    void enteringABoxSelectsItsName()
    {
        QFETCH(QString, how);
        QFETCH(QString, box);

        FormDriver driver;
        QLineEdit *name = driver.box(qPrintable(box));
        if (how == QLatin1String("tab")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        } else if (how == QLatin1String("backtab")) {
            driver.Click(driver.Text2());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        } else if (how == QLatin1String("click")) {
            if (name == driver.Text1())
                driver.Click(driver.Text2());
            driver.Click(name);
        }
        QCOMPARE(QApplication::focusWidget(), name);
        QCOMPARE(name->selectedText(), name->text());
        QVERIFY(!name->text().isEmpty());

        // The next keystroke replaces the name.
        driver.Commit(name, QStringLiteral("の"));
        QCOMPARE(name->text(), QStringLiteral("の"));
    }

    void returningToTheWindowKeepsTheCursor()
    {
        FormDriver driver;
        driver.Click(driver.Text1());
        QTest::keyClick(driver.Text1(), Qt::Key_End);
        QVERIFY(!driver.Text1()->hasSelectedText());

        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other, ReadyMs));
        QApplication::setActiveWindow(&driver.form());
        QVERIFY(QTest::qWaitForWindowActive(&driver.form(), ReadyMs));

        QCOMPARE(QApplication::focusWidget(), driver.Text1());
        QVERIFY(!driver.Text1()->hasSelectedText());
    }
};

QTEST_MAIN(TestNameEntry)
#include "tst_name_entry.moc"

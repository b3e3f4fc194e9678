// The Qt window's wiring, used as a person uses it: the boxes' changes and
// focus reach the handlers from typed keys, an input method's commit and
// every way into a box; the refusal is Qt's message box; the button and the
// real timer run the sample game. What each rule decides is the handlers'
// (tst_form1_handlers); the random steps of tst_monkey cover deleting,
// pasting and long names.
#include <QApplication>
#include <QTest>

#include "FormDriver.h"
#include "ModalDismisser.h"
#include "Original.h"

namespace {

const int StepMs = Original()[u"timer1Ms"].toInt();

QStringList Numbers(int from, int to)
{
    QStringList numbers;
    for (int n = from; n <= to; ++n)
        numbers << QString::number(n);
    return numbers;
}

QStringList CueList(const QList<FormDriver::Cue> &cues)
{
    QStringList list;
    for (const FormDriver::Cue &cue : cues)
        list << QStringLiteral("%1@%2").arg(cue.name, cue.display);
    return list;
}

} // namespace

class TestForm1Wiring : public QObject {
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
        QCOMPARE(message.text, Original()[u"refusal"].toString());
        QCOMPARE(message.title, Original()[u"caption"].toString());
        QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(message.icon, QMessageBox::NoIcon);

        QVERIFY(name->text().isEmpty());
        QVERIFY(!driver.Command1()->isEnabled());
        QVERIFY(driver.Text3()->text().isEmpty());
        QVERIFY(!driver.Timer1()->isActive());
        // A stopped count must not tick on.
        QVERIFY(Stays([&] { return driver.Text3()->text().isEmpty() && driver.cues.isEmpty(); }, 120));
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

    // The sample names: Qt's timer, display and sound reach the handlers,
    // the button off before the press's cue.
    void countsUpToTheScore()
    {
        const QString first = QStringLiteral("やまだたろう"), second = QStringLiteral("すずきはなこ");
        const QString digits = QStringLiteral("332115111153");
        const int score = 38;
        const QStringList cues{"Push@", "Kin@10", "Kin@20", "Kin@30", "Pororon@38"};

        FormDriver driver;
        driver.Enter(driver.Text1(), first);
        driver.Enter(driver.Text2(), second);
        driver.displayed.clear();
        driver.Click(driver.Command1());
        QVERIFY(driver.Timer1()->isActive());
        QCOMPARE(driver.cues.size(), 1);
        QVERIFY(!driver.cues[0].buttonEnabled);

        QVERIFY(driver.WaitForCountToEnd());
        const qsizetype shown = driver.displayed.size(), played = driver.cues.size();
        QVERIFY2(Stays([&] { return driver.displayed.size() == shown && driver.cues.size() == played; }, 200),
                 "something followed the end of the count");
        QCOMPARE(driver.displayed, Numbers(0, score));
        QCOMPARE(CueList(driver.cues), cues);
        // The timer's pace: never faster than a step a tick, and, even on a
        // loaded machine, not many times slower.
        const qint64 took = driver.cues.last().atMs - driver.cues.first().atMs;
        QVERIFY2(took >= score * StepMs - 5, qPrintable(QString::number(took)));
        if (TimingChecked())
            QVERIFY2(took <= 2 * score * StepMs + 1000, qPrintable(QString::number(took)));
        QCOMPARE(driver.Text4()->text(), digits);
        QVERIFY(driver.Text4()->isHidden());
        QCOMPARE(driver.form().property("aisyou").toInt(), score);

        // Done: the button waits for a name to change.
        QVERIFY(!driver.Command1()->isEnabled());
        driver.Enter(driver.Text1(), first);
        QVERIFY(driver.Command1()->isEnabled());
        QVERIFY(driver.Text3()->text().isEmpty());
    }
};

QTEST_MAIN(TestForm1Wiring)
#include "tst_form1_wiring.moc"

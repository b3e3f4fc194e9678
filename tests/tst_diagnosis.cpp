// Pressing the Qt window's button as a person does, with its real timer: the
// count the display runs through on a 50 ms beat, the cues asked for on the
// way, the button off before the first cue, the hidden digits.
#include <QTest>

#include "FormDriver.h"

namespace {

constexpr int StepMs = 50; // the original's Timer1 interval

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

class TestDiagnosis : public QObject {
    Q_OBJECT

private slots:
    // Which steps and cues each score brings is the handlers' (tst_form1_handlers); here, that
    // Qt's timer, display and sound reach them, with the sample names.
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
        QCOMPARE(driver.Text3()->text(), QString::number(score));
        QCOMPARE(driver.Text4()->text(), digits);
        QVERIFY(driver.Text4()->isHidden());
        QCOMPARE(driver.form().property("aisyou").toInt(), score);

        // Done: the button waits for a name to change.
        QVERIFY(!driver.Command1()->isEnabled());
        driver.Enter(driver.Text1(), first);
        QVERIFY(driver.Command1()->isEnabled());
        QVERIFY(driver.Text3()->text().isEmpty());
    }

    void pressDisablesTheButtonBeforeTheFirstCue()
    {
        FormDriver driver;
        driver.Click(driver.Command1());
        QCOMPARE(driver.cues.size(), 1);
        QCOMPARE(driver.cues[0].name, QStringLiteral("Push"));
        QVERIFY(!driver.cues[0].buttonEnabled);
        QCOMPARE(driver.Text3()->text(), QStringLiteral("0"));
        QVERIFY(driver.Timer1()->isActive());
        QCOMPARE(driver.displayed, QStringList{"0"});
    }
};

QTEST_MAIN(TestDiagnosis)
#include "tst_diagnosis.moc"

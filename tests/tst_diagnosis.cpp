// Pressing the button as a person does, with the real 50 ms timer: the count
// the display runs through, the cues asked for on the way, and what a name
// change does to a count.
#include <QTest>

#include "FormDriver.h"

namespace {

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
    void countsUpToTheScore_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<int>("score");
        QTest::addColumn<QStringList>("cues");

        QTest::newRow("sample names, 38")
            << QStringLiteral("やまだたろう") << QStringLiteral("すずきはなこ") << QStringLiteral("332115111153")
            << 38 << QStringList{"Push@", "Kin@10", "Kin@20", "Kin@30", "Pororon@38"};
        QTest::newRow("ん and ん, 100")
            << QStringLiteral("ん") << QStringLiteral("ん") << QStringLiteral("00") << 100
            << QStringList{"Push@", "Kin@10", "Kin@20", "Kin@30", "Kin@40", "Kin@50",
                           "Kin@60", "Kin@70", "Kin@80", "Kin@90", "Pororon@100"};
        QTest::newRow("below 10, no tens cue")
            << QStringLiteral("ん") << QStringLiteral("んお") << QStringLiteral("005") << 5
            << QStringList{"Push@", "Pororon@5"};
        QTest::newRow("score 10 is closed by the closing cue only")
            << QStringLiteral("ん") << QStringLiteral("あ") << QStringLiteral("10") << 10
            << QStringList{"Push@", "Pororon@10"};
        QTest::newRow("score 50")
            << QStringLiteral("を") << QStringLiteral("ん") << QStringLiteral("50") << 50
            << QStringList{"Push@", "Kin@10", "Kin@20", "Kin@30", "Kin@40", "Pororon@50"};
    }

    void countsUpToTheScore()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, digits);
        QFETCH(int, score);
        QFETCH(QStringList, cues);

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
        QVERIFY2(took >= score * Form1Handlers::Timer1IntervalMs - 5, qPrintable(QString::number(took)));
        if (TimingChecked())
            QVERIFY2(took <= 2 * score * Form1Handlers::Timer1IntervalMs + 1000, qPrintable(QString::number(took)));
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

    void aNameChangeStopsTheCount()
    {
        FormDriver driver;
        driver.Click(driver.Command1());
        QVERIFY(QTest::qWaitFor([&] { return driver.Text3()->text().toInt() >= 12; }, ReadyMs));

        driver.Enter(driver.Text2(), QStringLiteral("あ"));
        QVERIFY(!driver.Timer1()->isActive());
        QVERIFY(driver.Text3()->text().isEmpty());
        QVERIFY(driver.Command1()->isEnabled());
        const qsizetype cuesBefore = driver.cues.size();
        QVERIFY(Stays([&] { return driver.Text3()->text().isEmpty() && driver.cues.size() == cuesBefore; }, 300));

        // Pressing again starts afresh from 0 for the new names: あやまだたろう,
        // 1111153, folds to 64 (the last names' 38 would be a stale diagnosis).
        driver.displayed.clear();
        driver.Click(driver.Command1());
        QVERIFY(driver.WaitForCountToEnd());
        QCOMPARE(driver.displayed, Numbers(0, 64));
        QCOMPARE(driver.Text4()->text(), QStringLiteral("1111153"));
    }

    void aStrayTickStopsTheTimer_data()
    {
        QTest::addColumn<bool>("emptyDisplay");

        QTest::newRow("display empty") << true;
        QTest::newRow("count already at the score") << false;
    }

    void aStrayTickStopsTheTimer()
    {
        QFETCH(bool, emptyDisplay);

        FormDriver driver;
        if (!emptyDisplay) {
            driver.Click(driver.Command1());
            QVERIFY(driver.WaitForCountToEnd());
        }
        const QString shown = driver.Text3()->text();
        const int cuesBefore = int(driver.cues.size());
        driver.Timer1()->start();
        QVERIFY(driver.WaitForCountToEnd());
        QCOMPARE(driver.Text3()->text(), shown);
        QCOMPARE(int(driver.cues.size()), cuesBefore);
    }
};

QTEST_MAIN(TestDiagnosis)
#include "tst_diagnosis.moc"

// The count's pace where the platform's timer is coarse, late and lossy, as
// WM_TIMER is on Windows: a simulated clock wakes the pacing as such a timer
// would, the real handlers count, and 100 steps must still take 5.000 s, each
// step shown once and in order.
#include <QTest>
#include <random>
#include <vector>

#include "CountPace.h"
#include "Form1Handlers.h"

namespace {

using Ms = std::chrono::duration<double, std::milli>;

// The controls as the handlers see them, recording what the display shows.
class RecordingControls : public Form1Controls {
public:
    std::u16string Text(Box box) const override { return texts[int(box)]; }
    void SetText(Box box, std::u16string_view text) override
    {
        texts[int(box)] = text;
        if (box == Box::Text3 && !text.empty())
            shown.push_back({QString::fromStdU16String(texts[2]), now});
    }
    void SetSelection(Box, int, int) override {}
    void SetFocus(Box) override {}
    void SetCommand1Enabled(bool) override {}
    void SetTimer1Enabled(bool enabled) override { timerEnabled = enabled; }
    void ShowRefusal(std::u16string_view) override {}
    void PlayCue(std::u16string_view) override {}

    std::u16string texts[4] = {u"ん", u"ん", u"", u""}; // a score of 100
    bool timerEnabled = false;
    double now = 0; // ms, the simulated clock
    std::vector<std::pair<QString, double>> shown;
};

struct Stall {
    double atMs, lengthMs;
};

} // namespace

class TestCountPace : public QObject {
    Q_OBJECT

private slots:
    void hundredStepsTakeFiveSeconds_data()
    {
        QTest::addColumn<double>("systemTickMs"); // timers fire on this clock's ticks
        QTest::addColumn<double>("jitterMs");     // and up to this much later
        QTest::addColumn<QList<double>>("stalls"); // at, length: the thread is busy, wakes are lost

        QTest::newRow("exact timer") << 0.0 << 0.0 << QList<double>{};
        QTest::newRow("15.6 ms system tick") << 15.625 << 0.0 << QList<double>{};
        QTest::newRow("tick and jitter") << 15.625 << 6.0 << QList<double>{};
        QTest::newRow("tick, jitter and stalls") << 15.625 << 6.0 << QList<double>{730, 180, 2400, 95, 4100, 320};
        QTest::newRow("1 ms tick, a long stall") << 1.0 << 3.0 << QList<double>{1000, 1200};
    }

    void hundredStepsTakeFiveSeconds()
    {
        QFETCH(double, systemTickMs);
        QFETCH(double, jitterMs);
        QFETCH(QList<double>, stalls);

        RecordingControls controls;
        Form1Handlers handlers(controls);
        CountPace pace(std::chrono::milliseconds(Form1Handlers::Timer1IntervalMs));
        std::mt19937 random(7);
        std::uniform_real_distribution<double> jitter(0, jitterMs);
        const auto clock = [&] { return std::chrono::duration_cast<CountPace::Time>(Ms(controls.now)); };

        handlers.Command1_Click();
        pace.Start(clock());
        double wakeAfterMs = Form1Handlers::Timer1IntervalMs;
        while (controls.timerEnabled && controls.now < 20000) {
            double wake = controls.now + wakeAfterMs;
            if (systemTickMs > 0)
                wake = std::ceil(wake / systemTickMs) * systemTickMs;
            wake += jitter(random);
            // A busy thread gets one late timer message, never the lost ones.
            for (qsizetype i = 0; i + 1 < stalls.size(); i += 2) {
                if (wake > stalls[i] && wake < stalls[i] + stalls[i + 1])
                    wake = stalls[i] + stalls[i + 1];
            }
            controls.now = wake;
            const CountPace::Time untilNext = pace.RunDueSteps(clock(), [&] {
                handlers.Timer1_Timer();
                return controls.timerEnabled;
            });
            wakeAfterMs = double(CountPace::WakeAfterMs(untilNext));
        }

        // Each step once, in order, never before it is due, and no later than the
        // first wake the timer can give after it is due (or after the stall it fell in).
        QCOMPARE(controls.shown.size(), std::size_t(101));
        for (int n = 0; n <= 100; ++n) {
            const auto &[text, atMs] = controls.shown[std::size_t(n)];
            QCOMPARE(text, QString::number(n));
            const double dueMs = n * double(Form1Handlers::Timer1IntervalMs);
            double freeMs = dueMs;
            for (qsizetype i = 0; i + 1 < stalls.size(); i += 2) {
                if (dueMs >= stalls[i] && dueMs < stalls[i] + stalls[i + 1])
                    freeMs = stalls[i] + stalls[i + 1];
            }
            QVERIFY2(atMs >= dueMs && atMs <= freeMs + systemTickMs + jitterMs + 1,
                     qPrintable(QStringLiteral("step %1, due at %2 ms, shown at %3 ms").arg(n).arg(dueMs).arg(atMs)));
        }
        QVERIFY(!controls.timerEnabled);
    }
};

QTEST_GUILESS_MAIN(TestCountPace)
#include "tst_count_pace.moc"

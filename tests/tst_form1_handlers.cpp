// The window's rules, where they are decided: Form1Handlers, driven through
// controls of the test's own that record what the handlers do, with a clock
// the test moves and the count paced as the Windows program and the page pace
// it. No toolkit, no window, no sleeping. The expected values are the tests'
// own: the oracle's scores and digits, and the original's texts and beat.
#include <QTest>
#include <random>
#include <vector>

#include "CountPace.h"
#include "Form1Handlers.h"
#include "Oracle.h"
#include "Original.h"

namespace {

const QString Refusal = Original()[u"refusal"].toString();
const double StepMs = Original()[u"timer1Ms"].toDouble();
const std::u16string First = u"やまだたろう", Second = u"すずきはなこ";

QString Q(std::u16string_view text)
{
    return QString::fromStdU16String(std::u16string(text));
}

// The controls as the handlers see them. A change of a name box's text raises
// its change handler, as every face's does; the refusal is dismissed at once.
class Controls : public Form1Controls {
public:
    explicit Controls(std::u16string first = First, std::u16string second = Second)
        : texts{std::move(first), std::move(second), u"", u""}
    {
    }

    std::u16string Text(Box box) const override { return texts[int(box)]; }
    void SetText(Box box, std::u16string_view text) override
    {
        texts[int(box)] = text;
        if (box == Box::Text3 && !text.empty())
            shown.push_back({Q(text), now});
        if (box == Box::Text1)
            handlers->Text1_Change();
        if (box == Box::Text2)
            handlers->Text2_Change();
    }
    void SetSelection(Box box, int start, int length) override { selection = {int(box), start, length}; }
    void SetFocus(Box box) override { focus = int(box); }
    void SetCommand1Enabled(bool enabled) override { button = enabled; }
    void SetTimer1Enabled(bool enabled) override { timer = enabled; }
    void ShowRefusal(std::u16string_view text) override { refusals << Q(text); }
    void PlayCue(std::u16string_view cue) override
    {
        cues << QStringLiteral("%1@%2").arg(Q(cue), Q(texts[int(Box::Text3)]));
        cueMs.push_back(now);
        buttonAtCue.push_back(button);
    }

    QString text(Box box) const { return Q(texts[int(box)]); }

    Form1Handlers *handlers = nullptr;
    std::u16string texts[4];
    double now = 0; // ms, the test's clock
    bool button = true, timer = false;
    int focus = -1;
    QList<int> selection;
    QStringList refusals, cues;
    std::vector<double> cueMs;
    std::vector<bool> buttonAtCue;
    std::vector<std::pair<QString, double>> shown; // the display's texts, with their times
};

// The window: its controls, its handlers, and the count paced on the test's clock.
struct Window {
    explicit Window(std::u16string first = First, std::u16string second = Second)
        : controls(std::move(first), std::move(second))
    {
        controls.handlers = &handlers;
    }

    void Press()
    {
        handlers.Command1_Click();
        pace.Start(Clock());
    }
    // The clock moves on ms by ms; the timer's wakes run the steps due.
    void Run(double ms)
    {
        for (const double until = controls.now + ms; controls.now < until;) {
            controls.now += 1;
            if (controls.timer)
                pace.RunDueSteps(Clock(), [this] {
                    handlers.Timer1_Timer();
                    return controls.timer;
                });
        }
    }
    CountPace::Time Clock() const
    {
        return std::chrono::duration_cast<CountPace::Time>(std::chrono::duration<double, std::milli>(controls.now));
    }

    Controls controls;
    Form1Handlers handlers{controls};
    CountPace pace{std::chrono::milliseconds(Form1Handlers::Timer1IntervalMs)};
};

// The cues of a count to the score, each with what the display showed: the
// press before the count, a bell at every tenth step short of the score, the
// chime at the score.
QStringList GameCues(int score)
{
    QStringList cues{QStringLiteral("./Sound/Push@")};
    for (int step = 10; step < score; step += 10)
        cues << QStringLiteral("./Sound/Kin@%1").arg(step);
    return cues << QStringLiteral("./Sound/Pororon@%1").arg(score);
}

} // namespace

class TestForm1Handlers : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatIsNotKana_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");

        const std::pair<const char *, const char16_t *> refused[] = {
            {"katakana", u"タロウ"}, {"half-width katakana", u"ﾀ"}, {"kanji", u"山田"}, {"Latin letter", u"a"},
            {"digit", u"7"}, {"space", u" "}, {"full-width space", u"\u3000"}, {"prolonged mark", u"ー"},
            {"small wa", u"ゎ"}, {"wi", u"ゐ"}, {"we", u"ゑ"}, {"vu", u"ゔ"}, {"small ka", u"ゕ"}, {"small ke", u"ゖ"},
            {"surrogate pair", u"𠀋"}, {"one katakana among kana", u"やまダ"}, {"iteration mark", u"ゝ"},
            {"kana then a space", u"はな "}};
        int box = 0;
        for (const auto &[kind, text] : refused)
            QTest::newRow(kind) << (box++ % 2) << QString::fromUtf16(text);
    }

    // During a count: the refusal with the original's words, the box emptied,
    // the other kept, the count stopped and the button off until both hold names.
    void refusesWhatIsNotKana()
    {
        QFETCH(int, box);
        QFETCH(QString, text);

        Window window;
        window.Press();
        window.Run(300);
        const QString other = window.controls.text(Box(1 - box));
        window.controls.cues.clear();
        window.controls.SetText(Box(box), text.toStdU16String());

        QCOMPARE(window.controls.refusals, QStringList{Refusal});
        QCOMPARE(window.controls.text(Box(box)), QString());
        QCOMPARE(window.controls.text(Box(1 - box)), other);
        QCOMPARE(window.controls.text(Box::Text3), QString());
        QVERIFY(!window.controls.button);
        QVERIFY(!window.controls.timer);
        const std::size_t shown = window.controls.shown.size();
        window.Run(1000);
        QCOMPARE(window.controls.shown.size(), shown);
        QVERIFY(window.controls.cues.isEmpty());
    }

    void theButtonNeedsBothNames_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("enabled");

        QTest::newRow("both") << "ん" << "あ" << true;
        QTest::newRow("voiced and small kana") << "じゅんぺい" << "ぢゃっぷ" << true;
        QTest::newRow("first only") << "ん" << "" << false;
        QTest::newRow("second only") << "" << "あ" << false;
        QTest::newRow("neither") << "" << "" << false;
        QTest::newRow("names of 32,767 kana") << QString(32767, u'は') << QString(32767, u'ぽ') << true;
    }

    void theButtonNeedsBothNames()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, enabled);

        Window window;
        window.controls.SetText(Box::Text1, first.toStdU16String());
        window.controls.SetText(Box::Text2, second.toStdU16String());
        QCOMPARE(window.controls.button, enabled);
        QVERIFY(window.controls.refusals.isEmpty());
        QCOMPARE(window.controls.text(Box::Text1), first);
        QCOMPARE(window.controls.text(Box::Text2), second);
    }

    void enteringABoxSelectsItsName_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("name");

        QTest::newRow("Text1") << 0 << "やまだたろう";
        QTest::newRow("Text2") << 1 << "すずきはなこ";
        QTest::newRow("an empty box") << 1 << "";
    }

    void enteringABoxSelectsItsName()
    {
        QFETCH(int, box);
        QFETCH(QString, name);

        Window window;
        window.controls.SetText(Box(box), name.toStdU16String());
        box == 0 ? window.handlers.Text1_GotFocus() : window.handlers.Text2_GotFocus();
        QCOMPARE(window.controls.selection, (QList<int>{box, 0, int(name.size())}));
        QCOMPARE(window.controls.focus, box);
    }

    void countsUpToTheScore_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");

        QTest::newRow("the sample names") << "やまだたろう" << "すずきはなこ";
        QTest::newRow("ん and ん, 100") << "ん" << "ん";
        QTest::newRow("a score below 10") << "ん" << "んお";
        QTest::newRow("a score of 10") << "ん" << "あ";
        QTest::newRow("a score of 50") << "を" << "ん";
        QTest::newRow("names of 32,767 kana") << QString(32767, u'は') << QString(32767, u'ぽ');
    }

    // The press: the button off before the first cue, the digits in Text4; then a
    // step every 50 ms from 0 to the score, the bells and the chime on their
    // steps, and nothing after; the button back once a name changes.
    void countsUpToTheScore()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const std::u16string one = first.toStdU16String(), two = second.toStdU16String();
        const int score = oracle::Score(one, two);
        QVERIFY(score >= 1 && score <= 100);

        Window window(one, two);
        window.Press();
        QCOMPARE(window.controls.buttonAtCue, std::vector<bool>{false});
        QCOMPARE(window.controls.text(Box::Text4), QString::fromStdString(oracle::Digits(oracle::Joined(one, two))));
        QCOMPARE(window.controls.text(Box::Text3), QStringLiteral("0"));
        window.Run(score * StepMs + 2000);

        QCOMPARE(int(window.controls.shown.size()), score + 1);
        for (int n = 0; n <= score; ++n) {
            const auto &[text, atMs] = window.controls.shown[std::size_t(n)];
            QCOMPARE(text, QString::number(n));
            QCOMPARE(atMs, n * StepMs);
        }
        QCOMPARE(window.controls.cues, GameCues(score));
        for (std::size_t i = 0; i < window.controls.cueMs.size(); ++i)
            QCOMPARE(window.controls.cueMs[i], window.controls.cues[qsizetype(i)].section(u'@', 1).toInt() * StepMs);
        QVERIFY(!window.controls.timer);
        QCOMPARE(window.handlers.Aisyou(), score);
        QVERIFY(!window.controls.button);

        window.controls.SetText(Box::Text1, one);
        QVERIFY(window.controls.button);
        QCOMPARE(window.controls.text(Box::Text3), QString());
    }

    // A name changed mid-count stops it; the next press counts afresh for the new names.
    void aNameChangeStopsTheCount()
    {
        Window window;
        window.Press();
        window.Run(12 * StepMs);
        QCOMPARE(window.controls.text(Box::Text3), QStringLiteral("12"));
        window.controls.SetText(Box::Text2, u"あ");
        QVERIFY(!window.controls.timer);
        QCOMPARE(window.controls.text(Box::Text3), QString());
        QVERIFY(window.controls.button);
        const QStringList cues = window.controls.cues;
        window.Run(1000);
        QCOMPARE(window.controls.text(Box::Text3), QString());
        QCOMPARE(window.controls.cues, cues);

        window.controls.shown.clear();
        window.Press();
        window.Run(3 * 100 * StepMs);
        const int score = oracle::Score(First, u"あ");
        QCOMPARE(int(window.controls.shown.size()), score + 1);
        QCOMPARE(window.controls.shown.back().first, QString::number(score));
        QCOMPARE(window.controls.text(Box::Text4), QString::fromStdString(oracle::Digits(oracle::Joined(First, u"あ"))));
    }

    void aStrayTickStopsTheTimer_data()
    {
        QTest::addColumn<bool>("counted");

        QTest::newRow("display empty") << false;
        QTest::newRow("count already at the score") << true;
    }

    void aStrayTickStopsTheTimer()
    {
        QFETCH(bool, counted);

        Window window;
        if (counted) {
            window.Press();
            window.Run(100 * StepMs);
        }
        const QString shown = window.controls.text(Box::Text3);
        const QStringList cues = window.controls.cues;
        window.controls.timer = true;
        window.handlers.Timer1_Timer();
        QVERIFY(!window.controls.timer);
        QCOMPARE(window.controls.text(Box::Text3), shown);
        QCOMPARE(window.controls.cues, cues);
    }

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

    // Where the platform's timer is coarse, late and lossy, as WM_TIMER is on
    // Windows, each step is still shown once, in order, never before it is due
    // and no later than the first wake after it is due (or after its stall).
    void hundredStepsTakeFiveSeconds()
    {
        QFETCH(double, systemTickMs);
        QFETCH(double, jitterMs);
        QFETCH(QList<double>, stalls);

        Window window(u"ん", u"ん"); // a score of 100
        Controls &controls = window.controls;
        std::mt19937 random(7);
        std::uniform_real_distribution<double> jitter(0, jitterMs);

        window.Press();
        double wakeAfterMs = StepMs;
        while (controls.timer && controls.now < 20000) {
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
            const CountPace::Time untilNext = window.pace.RunDueSteps(window.Clock(), [&] {
                window.handlers.Timer1_Timer();
                return controls.timer;
            });
            wakeAfterMs = double(CountPace::WakeAfterMs(untilNext));
        }

        QCOMPARE(controls.shown.size(), std::size_t(101));
        for (int n = 0; n <= 100; ++n) {
            const auto &[text, atMs] = controls.shown[std::size_t(n)];
            QCOMPARE(text, QString::number(n));
            const double dueMs = n * StepMs;
            double freeMs = dueMs;
            for (qsizetype i = 0; i + 1 < stalls.size(); i += 2) {
                if (dueMs >= stalls[i] && dueMs < stalls[i] + stalls[i + 1])
                    freeMs = stalls[i] + stalls[i + 1];
            }
            QVERIFY2(atMs >= dueMs && atMs <= freeMs + systemTickMs + jitterMs + 1,
                     qPrintable(QStringLiteral("step %1, due at %2 ms, shown at %3 ms").arg(n).arg(dueMs).arg(atMs)));
        }
        QVERIFY(!controls.timer);
    }
};

QTEST_GUILESS_MAIN(TestForm1Handlers)
#include "tst_form1_handlers.moc"

// With no sound server at all, cues cost nothing: PlayCue returns at once,
// the count runs as ever, and one line says why there is no sound. A server
// that takes the connection and then answers nothing holds up nothing either.
#include <QMutex>
#include <QElapsedTimer>
#include <QTest>

#include "FormDriver.h"
#include "Module1.h"
#include "PrivatePulse.h"

namespace {

QMutex warningsLock;
QStringList soundWarnings;
QtMessageHandler previousHandler = nullptr;

void CountSoundWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("no sound"))) {
        QMutexLocker lock(&warningsLock);
        soundWarnings << message;
    }
    previousHandler(type, context, message);
}

} // namespace

class TestSoundWithoutServer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Nothing listens there, and no server may be started in its place;
        // libcanberra may use no other driver, which could find a sound card.
        qputenv("PULSE_SERVER", "unix:/nonexistent/minukape/native");
        qputenv("CANBERRA_DRIVER", "pulse");
        previousHandler = qInstallMessageHandler(CountSoundWarnings);
        QVERIFY(QDir::setCurrent(QStringLiteral(MINUKAPE_SOURCE_DIR)));
    }

    void playCueReturnsAtOnce()
    {
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer clock;
            clock.start();
            PlayCue(i % 2 ? u"./Sound/Kin" : u"./Sound/Missing");
            // A hang, not a speed: a call that waited on the server would take
            // its time-out, seconds; a loaded machine's slowest call is far less.
            QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        }
    }

    void aGameGoesOn()
    {
        FormDriver driver(PlayCue);
        driver.Click(driver.Command1());
        QVERIFY(driver.WaitForCountToEnd());
        QCOMPARE(driver.Text3()->text(), QStringLiteral("38"));
        QCOMPARE(driver.cues.size(), 5);
    }

    void aStuckServerHoldsUpNothing()
    {
        PrivatePulse pulse;
        QVERIFY2(pulse.IsReady(), "the private sound server did not start");
        pulse.Freeze(true);
        playCueReturnsAtOnce();
        aGameGoesOn();
        pulse.Freeze(false);
    }

    void oneWarningNamesTheMissingServer()
    {
        const auto warned = [] {
            QMutexLocker lock(&warningsLock);
            return soundWarnings.size();
        };
        QVERIFY(QTest::qWaitFor([&] { return warned() > 0; }, ReadyMs));
        // The worker may still be trying the last cue: no second warning follows.
        QVERIFY(Stays([&] { return warned() == 1; }, 300));
        QMutexLocker lock(&warningsLock);
        QVERIFY2(soundWarnings.first().contains(QLatin1String("Not available")), qPrintable(soundWarnings.first()));
    }
};

QTEST_MAIN(TestSoundWithoutServer)
#include "tst_sound_without_server.moc"

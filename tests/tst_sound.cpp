// The cues as a person hears them: a private sound server records what
// PlayCue plays, and the recording is checked for which cue sounded when.
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "CueOnsets.h"
#include "FormDriver.h"
#include "Module1.h"
#include "PrivatePulse.h"

namespace {

QStringList Names(const QList<CueOnset> &onsets)
{
    QStringList names;
    for (const CueOnset &onset : onsets)
        names << onset.cue;
    return names;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void countCuesSoundAtTheirTicks();
    void aNewCueCutsOffThePlayingOne();
    void aCueWithoutSoundPlaysTheDefault_data();
    void aCueWithoutSoundPlaysTheDefault();
    void aServerThatDiesMidCountStopsNothing();

private:
    Recording Record(const std::function<void()> &play, int tailMs = 700);

    std::unique_ptr<PrivatePulse> pulse;
};

void TestSound::initTestCase()
{
    pulse = std::make_unique<PrivatePulse>();
    QVERIFY2(pulse->IsReady(), "the private sound server did not start");
}

void TestSound::init()
{
    QVERIFY(QDir::setCurrent(QStringLiteral(MINUKAPE_SOURCE_DIR)));
}

Recording TestSound::Record(const std::function<void()> &play, int tailMs)
{
    if (!pulse->StartRecording())
        qWarning("the recorder did not start");
    play();
    // The recorder loses the end of what it holds when stopped: leave silence.
    QTest::qWait(tailMs);
    return Recording(pulse->StopRecording(), PrivatePulse::Rate);
}

void TestSound::countCuesSoundAtTheirTicks()
{
    FormDriver driver(PlayCue);
    const Recording recording = Record([&] {
        QTest::qWait(300);
        driver.Click(driver.Command1());
        QVERIFY(driver.WaitForCountToEnd(10000));
    }, 1500);

    const QList<CueOnset> onsets = recording.Onsets();
    QCOMPARE(Names(onsets), (QStringList{"Push", "Kin", "Kin", "Kin", "Pororon"}));
    QCOMPARE(driver.cues.size(), onsets.size());

    // Each cue sounds at its tick: the delay from the call to the sound is
    // the same for every cue after the first, within 30 ms.
    const double delay = onsets[1].atMs - double(driver.cues[1].atMs);
    for (qsizetype i = 1; i < onsets.size(); ++i) {
        const double cueDelay = onsets[i].atMs - double(driver.cues[i].atMs);
        QVERIFY2(std::abs(cueDelay - delay) <= 30,
                 qPrintable(QStringLiteral("%1 at tick %2 is %3 ms off")
                                .arg(onsets[i].cue, driver.cues[i].display)
                                .arg(cueDelay - delay)));
    }
    for (qsizetype i = 2; i < 4; ++i)
        qInfo("Kin to Kin: %.1f ms", onsets[i].atMs - onsets[i - 1].atMs);
    qInfo("first cue's delay relative to the others: %.1f ms",
          onsets[0].atMs - double(driver.cues[0].atMs) - delay);
}

void TestSound::aNewCueCutsOffThePlayingOne()
{
    const Recording recording = Record([] {
        PlayCue(QStringLiteral("./Sound/Pororon"));
        QTest::qWait(500);
        PlayCue(QStringLiteral("./Sound/Kin"));
    });

    const QList<CueOnset> onsets = recording.Onsets();
    QCOMPARE(Names(onsets), (QStringList{"Pororon", "Kin"}));
    const double pororon = onsets[0].atMs;
    const double kin = onsets[1].atMs;
    // Pororon's last note still rings loudly half a second in...
    QVERIFY(recording.Level(1568, pororon + 320, pororon + 460) > 0.05);
    // ...until Kin cuts it off.
    QVERIFY(recording.Level(1568, kin + 40, kin + 400) < 0.01);
}

void TestSound::aCueWithoutSoundPlaysTheDefault_data()
{
    QTest::addColumn<QString>("file"); // what stands in Sound/ where Push should be
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("heard");

    QByteArray noise(20000, '\0');
    for (char &byte : noise)
        byte = char(QRandomGenerator::global()->bounded(256));
    QFile push(QStringLiteral(MINUKAPE_SOURCE_DIR "/Sound/Push.wav"));
    QVERIFY(push.open(QIODevice::ReadOnly));
    const QByteArray truncated = push.read(60);

    QTest::newRow("no Sound folder") << QString() << QByteArray() << QStringList{"Default"};
    QTest::newRow("no file") << "Other.wav" << QByteArray("x") << QStringList{"Default"};
    QTest::newRow("empty file") << "Push" << QByteArray() << QStringList{"Default"};
    QTest::newRow("random bytes") << "Push.wav" << noise << QStringList{"Default"};
    // A WAV cut short is still a WAV: what it holds plays, here too little to hear.
    QTest::newRow("truncated WAV") << "Push.wav" << truncated << QStringList{};
    QTest::newRow("text, not sound") << "Push.wav" << QByteArray("not a sound\n") << QStringList{"Default"};
    QTest::newRow("a folder in its place") << "Push.wav/" << QByteArray() << QStringList{"Default"};
}

void TestSound::aCueWithoutSoundPlaysTheDefault()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, heard);

    QTemporaryDir dir;
    if (!file.isEmpty()) {
        QDir(dir.path()).mkpath(QStringLiteral("Sound"));
        const QString path = dir.filePath(QStringLiteral("Sound/") + file);
        if (file.endsWith(u'/'))
            QDir().mkpath(path);
        else
            WriteFile(path, content);
    }
    QVERIFY(QDir::setCurrent(dir.path()));

    const Recording recording = Record([] { PlayCue(QStringLiteral("./Sound/Push")); });
    QCOMPARE(Names(recording.Onsets()), heard);
}

void TestSound::aServerThatDiesMidCountStopsNothing()
{
    FormDriver driver(PlayCue);
    driver.Click(driver.Command1());
    QVERIFY(QTest::qWaitFor([&] { return driver.cues.size() == 2; }, 5000)); // Push, Kin at 10
    pulse->KillServer();
    QVERIFY(driver.WaitForCountToEnd(10000));
    QCOMPARE(driver.Text3()->text(), QStringLiteral("38"));
    QCOMPARE(driver.cues.size(), 5);
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"

// Which file a cue name stands for, in a current directory the test lays out,
// and where the program's default sound is found.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "CueBackend.h"
#include "CueFiles.h"

namespace {

QString FromPath(const std::filesystem::path &path)
{
    return QString::fromStdU16String(path.u16string());
}

} // namespace

class TestCueFiles : public QObject {
    Q_OBJECT

private slots:
    void resolvesCueNames_data()
    {
        QTest::addColumn<QStringList>("files"); // laid out in the current directory; "x/" is a folder
        QTest::addColumn<QString>("cue");
        QTest::addColumn<QString>("expected"); // relative to the current directory, empty for none

        QTest::newRow("name as given") << QStringList{"Sound/Push"} << "./Sound/Push" << "Sound/Push";
        QTest::newRow(".wav added") << QStringList{"Sound/Push.wav"} << "./Sound/Push" << "Sound/Push.wav";
        QTest::newRow("name as given before .wav")
            << QStringList{"Sound/Push", "Sound/Push.wav"} << "./Sound/Push" << "Sound/Push";
        QTest::newRow("exact .wav before other case")
            << QStringList{"Sound/PUSH", "Sound/Push.wav"} << "./Sound/Push" << "Sound/Push.wav";
        QTest::newRow("file name in other case") << QStringList{"Sound/kin.WAV"} << "./Sound/Kin" << "Sound/kin.WAV";
        QTest::newRow("bare name in other case") << QStringList{"Sound/POROROn"} << "./Sound/Pororon" << "Sound/POROROn";
        QTest::newRow("a folder is no sound")
            << QStringList{"Sound/Push/", "Sound/push.wav"} << "./Sound/Push" << "Sound/push.wav";
        QTest::newRow("only a folder") << QStringList{"Sound/Push.wav/"} << "./Sound/Push" << QString();
        QTest::newRow("other cues only") << QStringList{"Sound/Kin.wav"} << "./Sound/Push" << QString();
        QTest::newRow("empty Sound folder") << QStringList{"Sound/"} << "./Sound/Push" << QString();
        QTest::newRow("no Sound folder") << QStringList{} << "./Sound/Push" << QString();
        QTest::newRow("other extension is not tried") << QStringList{"Sound/Push.ogg"} << "./Sound/Push" << QString();
    }

    void resolvesCueNames()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, cue);
        QFETCH(QString, expected);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString &file : files) {
            const QString path = dir.filePath(file);
            if (file.endsWith(u'/')) {
                QVERIFY(QDir().mkpath(path));
            } else {
                QVERIFY(QDir().mkpath(QFileInfo(path).path()));
                QFile f(path);
                QVERIFY(f.open(QIODevice::WriteOnly));
            }
        }
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString resolved = FromPath(ResolveCueFile(cue.toStdU16String()));
        QDir::setCurrent(previous);

        QCOMPARE(resolved, expected.isEmpty() ? QString() : QFileInfo(dir.filePath(expected)).absoluteFilePath());
    }

    void findsTheDefaultSoundBesideTheProgram()
    {
        const QString file = FromPath(DefaultCueFile(CueBackend::ProgramFolder()));
        QVERIFY(!file.isEmpty());
        QVERIFY(file.endsWith(QLatin1String("share/minukape/Default.wav")));
        QVERIFY(QFileInfo(file).isFile());
    }

    void readsAWav_data()
    {
        QFile kin(QStringLiteral(MINUKAPE_SOURCE_DIR "/Sound/Kin.wav"));
        QVERIFY(kin.open(QIODevice::ReadOnly));
        const QByteArray wav = kin.readAll();
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("soundBytes"); // -1: no sound at all

        QTest::newRow("a cue's sound") << wav << 16758 * 2; // 16,758 samples of 16 bits
        QTest::newRow("cut short in its data") << wav.left(1000) << 1000 - 44;
        QTest::newRow("empty") << QByteArray() << -1;
        QTest::newRow("header cut short") << wav.left(30) << -1;
        QTest::newRow("chunks but no data") << wav.left(36) << -1;
        QTest::newRow("a data chunk with nothing in it") << wav.left(44) << -1;
        QTest::newRow("not RIFF") << QByteArray("ID3\x04 some other sound file") << -1;
        // A whole sound whose form type says it is something else.
        QTest::newRow("RIFF but not WAVE") << QByteArray(wav).replace(8, 4, "AVI ") << -1;
    }

    // What a back end that plays a WAV's bytes itself is handed: the 16-bit
    // mono format at 44.1 kHz, and the sound as far as the file holds it.
    void readsAWav()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, soundBytes);

        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("cue.wav")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const std::optional<WavSound> sound = ReadWav(file.fileName().toStdU16String());
        QCOMPARE(sound.has_value(), soundBytes >= 0);
        if (!sound)
            return;
        QCOMPARE(QByteArray(sound->format.data(), qsizetype(sound->format.size())),
                 QByteArray::fromHex("0100" "0100" "44ac0000" "88580100" "0200" "1000"));
        QCOMPARE(int(sound->data.size()), soundBytes);
        QCOMPARE(QByteArray(sound->data.data(), 100), bytes.mid(44, 100));
    }
};

QTEST_GUILESS_MAIN(TestCueFiles)
#include "tst_cue_files.moc"

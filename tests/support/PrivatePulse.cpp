#include "PrivatePulse.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <csignal>

#include "Ready.h"

namespace {

const QString Sink = QStringLiteral("minukape_cues");

} // namespace

PrivatePulse::PrivatePulse()
{
    QDir(dir_.path()).mkpath(QStringLiteral("run"));
    QDir(dir_.path()).mkpath(QStringLiteral("home"));
    QFile::setPermissions(dir_.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QObject::connect(&recorder_, &QProcess::readyReadStandardOutput, [this] {
        recording_ += recorder_.readAllStandardOutput();
        const qint64 start = NowNs() - qint64(recording_.size() / 2) * 1000000000 / Rate;
        recordingStartNs_ = recordingStartNs_ == 0 ? start : std::min(recordingStartNs_, start);
    });

    server_.setProcessEnvironment(Environment());
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_.setStandardOutputFile(QProcess::nullDevice());
    // norewinds keeps the monitor's clock true when streams start and stop.
    server_.start(QStringLiteral("pulseaudio"),
                  {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                   "--use-pid-file=no", "--log-level=error",
                   "-L", QStringLiteral("module-null-sink sink_name=%1 norewinds=1").arg(Sink),
                   "-L", "module-native-protocol-unix"});
    qputenv("PULSE_SERVER", QStringLiteral("unix:%1/run/pulse/native").arg(dir_.path()).toLocal8Bit());
    ready_ = server_.waitForStarted(5000) && WaitForServer();
}

PrivatePulse::~PrivatePulse()
{
    if (recorder_.state() != QProcess::NotRunning) {
        recorder_.kill();
        recorder_.waitForFinished(2000);
    }
    KillServer();
}

QProcessEnvironment PrivatePulse::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.filePath(QStringLiteral("run")));
    environment.insert(QStringLiteral("HOME"), dir_.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("PULSE_SERVER"),
                       QStringLiteral("unix:%1/run/pulse/native").arg(dir_.path()));
    return environment;
}

bool PrivatePulse::WaitForServer()
{
    return QTest::qWaitFor([this] {
        if (server_.state() != QProcess::Running)
            return true;
        QProcess info;
        info.setProcessEnvironment(Environment());
        info.start(QStringLiteral("pactl"), {"list", "short", "sinks"});
        return info.waitForFinished(2000) && info.exitCode() == 0
            && info.readAllStandardOutput().contains(Sink.toLatin1());
    }, ReadyMs) && server_.state() == QProcess::Running;
}

qint64 PrivatePulse::NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool PrivatePulse::StartRecording()
{
    recording_.clear();
    recordingStartNs_ = 0;
    recorder_.setProcessEnvironment(Environment());
    recorder_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    recorder_.start(QStringLiteral("parec"),
                    {"-d", Sink + QStringLiteral(".monitor"), "--format=s16le",
                     QStringLiteral("--rate=%1").arg(Rate), "--channels=1", "--latency-msec=10"});
    // The monitor streams silence at once, so data arriving means it listens.
    return recorder_.waitForStarted(5000)
        && QTest::qWaitFor([this] { return !recording_.isEmpty(); }, ReadyMs);
}

QByteArray PrivatePulse::StopRecording()
{
    recorder_.terminate();
    recorder_.waitForFinished(5000);
    recording_ += recorder_.readAllStandardOutput();
    return recording_;
}

qint64 PrivatePulse::SinkLatencyUs() const
{
    QProcess list;
    list.setProcessEnvironment(Environment());
    list.start(QStringLiteral("pactl"), {"list", "sinks"});
    if (!list.waitForFinished(5000))
        return -1;
    const QRegularExpression configured(QStringLiteral("configured (\\d+) usec"));
    const QRegularExpressionMatch match = configured.match(QString::fromLocal8Bit(list.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

void PrivatePulse::KillServer()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.kill();
        server_.waitForFinished(5000);
    }
}

void PrivatePulse::Freeze(bool frozen)
{
    if (server_.state() == QProcess::Running)
        ::kill(pid_t(server_.processId()), frozen ? SIGSTOP : SIGCONT);
}

// A PulseAudio server of the test's own, with one null sink whose monitor is
// recorded, so a test hears exactly what the program played and when. The
// server, its folders and the recorder all end with the object.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <QProcess>
#include <QTemporaryDir>

class PrivatePulse {
public:
    static constexpr int Rate = 44100; // recordings are mono 16-bit at this rate

    // Starts the server and points this process's sound clients at it.
    PrivatePulse();
    ~PrivatePulse();

    bool IsReady() const { return ready_; }
    bool StartRecording();
    // Stops the recorder and returns what it heard as mono samples.
    QByteArray StopRecording();
    // When (steady clock, ns) the recording's first sample was played, as
    // closely as the times its data arrived tell: each arrival bounds it.
    qint64 RecordingStartNs() const { return recordingStartNs_; }
    // The steady clock, in ns, as RecordingStartNs counts it.
    static qint64 NowNs();
    // How much the recorder has handed over so far.
    double RecordedMs() const { return double(recording_.size() / 2) * 1000 / Rate; }
    // The latency the null sink is configured for now, in microseconds: how
    // far its rendering (what the recording hears) runs ahead of playing.
    qint64 SinkLatencyUs() const;
    // Ends the server at once, as a crashing sound server would.
    void KillServer();
    // Stops the server where it stands: it still takes connections and answers none.
    void Freeze(bool frozen);

private:
    QProcessEnvironment Environment() const;
    bool WaitForServer();

    QTemporaryDir dir_;
    QProcess server_;
    QProcess recorder_;
    QByteArray recording_;
    qint64 recordingStartNs_ = 0;
    bool ready_ = false;
};

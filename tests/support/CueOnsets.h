// Reads a recording of the program's sounds: when each cue starts, told apart
// by the pitch only that cue has (Push 700 Hz, Kin 2637 Hz, Pororon's first
// note 1047 Hz, the default sound 440 Hz), and how loud a pitch is in a stretch.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct CueOnset {
    // "Push", "Kin", "Pororon" or "Default"; "Dropout" where a cue's sound
    // broke off and went on (the next cue's start does not wait for it).
    QString cue;
    double atMs; // from the start of the recording
};

class Recording {
public:
    Recording(const QByteArray &s16le, int rate);

    // Every cue start, in time order.
    QList<CueOnset> Onsets() const;
    // Peak level (0..1 of full scale) of one pitch between two times.
    double Level(double frequency, double fromMs, double toMs) const;
    double LengthMs() const;

private:
    double LevelAt(double frequency, qsizetype first) const;

    QList<float> samples_;
    int rate_;
};

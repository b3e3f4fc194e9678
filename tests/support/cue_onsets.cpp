// Prints when each cue starts in a raw recording (mono 16-bit, 44.1 kHz):
// one line "NAME MILLISECONDS" per cue. For the end-to-end tests' scripts.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "CueOnsets.h"
#include "PrivatePulse.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: cue_onsets RECORDING.raw\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cue_onsets: cannot read %s\n", argv[1]);
        return 2;
    }
    const Recording recording(file.readAll(), PrivatePulse::Rate);
    for (const CueOnset &onset : recording.Onsets())
        std::printf("%s %.1f\n", qPrintable(onset.cue), onset.atMs);
    return 0;
}

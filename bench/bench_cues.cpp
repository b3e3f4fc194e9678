// Times each cue from the tick that asks for it to its first sound in a
// recording of a private sound server: the delay a person hears. The first
// cue of a run (which also opens the sound server) is reported on its own.
#include <QApplication>
#include <QDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "CueOnsets.h"
#include "FormDriver.h"
#include "Module1.h"
#include "PrivatePulse.h"

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(MINUKAPE_SOURCE_DIR));
    PrivatePulse pulse;
    if (!pulse.IsReady()) {
        std::fprintf(stderr, "bench_cues: the private sound server did not start\n");
        return 1;
    }

    std::vector<double> first;
    std::vector<double> later;
    double sinkLatencyMs = 0;
    for (int run = 0; run < 3; ++run) {
        std::vector<qint64> calls;
        FormDriver driver([&](std::u16string_view cue) {
            calls.push_back(PrivatePulse::NowNs());
            PlayCue(cue);
        });
        pulse.StartRecording();
        QTest::qWait(300);
        driver.Click(driver.Command1());
        driver.WaitForCountToEnd(10000);
        sinkLatencyMs = std::max(sinkLatencyMs, double(pulse.SinkLatencyUs()) / 1000); // Pororon still plays
        QTest::qWait(1500);
        const Recording recording(pulse.StopRecording(), PrivatePulse::Rate);
        const QList<CueOnset> onsets = recording.Onsets();
        if (std::size_t(onsets.size()) != calls.size()) {
            std::fprintf(stderr, "bench_cues: heard %d cues, played %zu\n", int(onsets.size()), calls.size());
            continue;
        }
        for (std::size_t i = 0; i < calls.size(); ++i) {
            const double heardNs = double(pulse.RecordingStartNs()) + onsets[qsizetype(i)].atMs * 1e6;
            const double delayMs = (heardNs - double(calls[i])) / 1e6;
            (run == 0 && i == 0 ? first : later).push_back(delayMs);
        }
    }
    std::sort(later.begin(), later.end());
    if (later.empty())
        return 1;
    // The recording hears what the null sink renders, which runs ahead of
    // its playing by up to the sink's latency: a device would sound that later.
    std::printf("cue delay, tick to rendered sound: first cue of the program %.1f ms; later cues median %.1f ms, "
                "max %.1f ms over %zu cues\n",
                first.empty() ? -1.0 : first[0], later[later.size() / 2], later.back(), later.size());
    std::printf("cue delay, tick to sound on a device with the sink's %.0f ms latency: first %.1f ms; "
                "later median %.1f ms, max %.1f ms (goal <= 30)\n",
                sinkLatencyMs, (first.empty() ? -1.0 : first[0]) + sinkLatencyMs,
                later[later.size() / 2] + sinkLatencyMs, later.back() + sinkLatencyMs);
    return 0;
}

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

// Every cue, the first too, at most this long after its step.
constexpr double GoalMs = 20;

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
    const double firstMs = first.empty() ? -1.0 : first[0];
    const auto holds = [](double ms) { return ms <= GoalMs ? "yes" : "**no**"; };
    std::printf("From the tick that asks for a cue to its onset in a recording of the private server's null sink "
                "(three counts, %zu cues). The recording hears what the sink renders, which runs ahead of playing by "
                "up to the sink's configured latency (%.0f ms); the second column adds it, as a device with that "
                "latency would sound.\n\n| cue | to rendered sound | on a %.0f ms device | goal | holds |\n"
                "| --- | --- | --- | --- | --- |\n", later.size() + 1, sinkLatencyMs, sinkLatencyMs);
    std::printf("| the program's first cue (opens the server) | %.1f ms | %.1f ms | <= %.0f ms | %s |\n", firstMs,
                firstMs + sinkLatencyMs, GoalMs, holds(firstMs + sinkLatencyMs));
    std::printf("| later cues, median | %.1f ms | %.1f ms | | |\n", later[later.size() / 2],
                later[later.size() / 2] + sinkLatencyMs);
    std::printf("| later cues, max | %.1f ms | %.1f ms | <= %.0f ms | %s |\n", later.back(),
                later.back() + sinkLatencyMs, GoalMs, holds(later.back() + sinkLatencyMs));
    return 0;
}

#include "CueOnsets.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

struct Signature {
    const char *cue;
    double frequency;
    double lengthMs; // how long its pitch sounds
};

constexpr Signature Signatures[] = {
    {"Push", 700, 120}, {"Kin", 2637, 380}, {"Pororon", 1047, 600}, {"Default", 440, 350}};

constexpr double WindowMs = 20;
constexpr double HopMs = 2;
constexpr double OnLevel = 0.04;  // a cue is sounding above this
constexpr double OffLevel = 0.01; // and has ended below this
constexpr double QuietMs = 60;    // how long below OffLevel before a new start counts
// A cue still sounds this long after it starts; a click (a sound server's
// glitch) spreads over every pitch for no longer than one window.
constexpr double SustainMs = WindowMs + 10;


} // namespace

Recording::Recording(const QByteArray &s16le, int rate) : rate_(rate)
{
    const qsizetype count = s16le.size() / 2;
    samples_.resize(count);
    for (qsizetype i = 0; i < count; ++i) {
        qint16 sample;
        std::memcpy(&sample, s16le.constData() + 2 * i, 2);
        samples_[i] = float(sample) / 32768.0f;
    }
}

double Recording::LengthMs() const
{
    return 1000.0 * double(samples_.size()) / rate_;
}

// Amplitude of one pitch in the Hann-windowed stretch starting at sample first.
double Recording::LevelAt(double frequency, qsizetype first) const
{
    const qsizetype length = qsizetype(WindowMs * rate_ / 1000);
    const double step = 2 * M_PI * frequency / rate_;
    double re = 0;
    double im = 0;
    double weight = 0;
    for (qsizetype n = 0; n < length && first + n < samples_.size(); ++n) {
        const double hann = 0.5 - 0.5 * std::cos(2 * M_PI * double(n) / double(length - 1));
        const double x = samples_[first + n] * hann;
        re += x * std::cos(step * double(n));
        im -= x * std::sin(step * double(n));
        weight += hann;
    }
    return weight > 0 ? 2 * std::hypot(re, im) / weight : 0;
}

double Recording::Level(double frequency, double fromMs, double toMs) const
{
    double peak = 0;
    for (double at = fromMs; at + WindowMs <= toMs; at += HopMs)
        peak = std::max(peak, LevelAt(frequency, qsizetype(at * rate_ / 1000)));
    return peak;
}

QList<CueOnset> Recording::Onsets() const
{
    QList<CueOnset> onsets;
    const double end = LengthMs() - WindowMs;
    for (const Signature &signature : Signatures) {
        double quietSince = -QuietMs;
        double lastStart = -signature.lengthMs;
        bool sounding = false;
        for (double at = 0; at < end; at += HopMs) {
            const double level = LevelAt(signature.frequency, qsizetype(at * rate_ / 1000));
            if (sounding && level < OffLevel) {
                sounding = false;
                quietSince = at;
            } else if (!sounding && level > OnLevel && at - quietSince >= QuietMs
                       && LevelAt(signature.frequency, qsizetype((at + SustainMs) * rate_ / 1000)) > OffLevel) {
                sounding = true;
                // The same pitch again before its sound could have ended: the
                // player, starved of time, broke off and went on.
                const bool dropout = at - lastStart < signature.lengthMs;
                lastStart = at;
                // The window first reaches the level as the tone fills about
                // half of it: the tone began about half a window earlier.
                onsets << CueOnset{dropout ? QStringLiteral("Dropout") : QString::fromLatin1(signature.cue),
                                   at + WindowMs / 2};
            }
        }
    }
    std::sort(onsets.begin(), onsets.end(),
              [](const CueOnset &a, const CueOnset &b) { return a.atMs < b.atMs; });
    return onsets;
}

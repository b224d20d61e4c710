#include "tools/DemoSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kDemoSampleRate;
constexpr double kBeat = 0.5; // s, 120 bpm

// White noise from a fixed LCG, so the demo does not depend on the library's generators.
class Noise
{
public:
    double next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return double(state_) / 2147483648.0 - 1.0;
    }

private:
    uint32_t state_ = 0x2545F491u;
};

double kick(double t)
{
    if (t < 0.0 || t > 0.4)
        return 0.0;
    const double phase = 2.0 * kPi * (45.0 * t + (110.0 - 45.0) * 0.03 * (1.0 - std::exp(-t / 0.03)));
    return 0.9 * std::sin(phase) * std::exp(-t / 0.12);
}

double snare(double t, double noise)
{
    if (t < 0.0 || t > 0.3)
        return 0.0;
    return (0.5 * noise + 0.3 * std::sin(2.0 * kPi * 185.0 * t)) * std::exp(-t / 0.06);
}

double hat(double t, double noise)
{
    if (t < 0.0 || t > 0.08)
        return 0.0;
    return 0.18 * noise * std::exp(-t / 0.015);
}

// Bass notes (Hz) per beat: a two-bar figure.
double bassFrequency(int beat)
{
    static const double kNotes[8] = {55.0, 55.0, 65.41, 73.42, 55.0, 82.41, 73.42, 65.41};
    return kNotes[beat % 8];
}

// Level of the sustained tone: quiet, loud, medium, loud again, so the reduction moves.
double padLevel(double t)
{
    if (t < 2.5)
        return 0.08;
    if (t < 5.0)
        return 0.35;
    if (t < 7.5)
        return 0.15;
    return 0.45;
}
} // namespace

std::vector<std::vector<float>> makeDemoSignal()
{
    const int frames = int(10.0 * kRate);
    std::vector<std::vector<float>> out(2, std::vector<float>(size_t(frames)));
    Noise noise;
    double bassPhase = 0.0, padPhase = 0.0, level = padLevel(0.0);
    for (int i = 0; i < frames; ++i)
    {
        const double t = i / kRate;
        const int beat = int(t / kBeat);
        const double inBeat = t - beat * kBeat;
        const double n = noise.next();
        const double k = beat % 2 == 0 ? kick(inBeat) : 0.0;
        const double s = beat % 2 == 1 ? snare(inBeat, n) : 0.0;
        const double h = hat(std::fmod(t, kBeat / 2.0), n);

        bassPhase += 2.0 * kPi * bassFrequency(beat) / kRate;
        const double bassEnvelope = std::min(1.0, inBeat / 0.01) * std::exp(-inBeat / 0.35);
        const double bass = 0.3 * bassEnvelope * (std::sin(bassPhase) + 0.35 * std::sin(2.0 * bassPhase) +
                                                  0.15 * std::sin(3.0 * bassPhase));

        level += (padLevel(t) - level) * 0.0005; // level changes glide over a few ms
        padPhase += 2.0 * kPi * 440.0 * (1.0 + 0.006 * std::sin(2.0 * kPi * 5.0 * t)) / kRate;
        const double pad = level * (std::sin(padPhase) + 0.25 * std::sin(2.0 * padPhase + 0.3));

        // A little width: hats and pad lean apart, kick, snare and bass sit in the middle.
        const double centre = k + s + bass;
        out[0][size_t(i)] = float(0.6 * (centre + 0.9 * h + 1.1 * pad));
        out[1][size_t(i)] = float(0.6 * (centre + 1.1 * h + 0.9 * pad));
    }
    return out;
}

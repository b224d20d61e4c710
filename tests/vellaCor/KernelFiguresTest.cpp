// The compressor's figures, worked out by hand from its curves and filters.
#include "tests/vellaCor/DescribedCompressor.h"
#include "tests/vellaCor/Render.h"
#include "vellaCor/vellaCorEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using qortest::gainReduction;
using qortest::render;
using qortest::sine;
using Kernel = vellaCorEffect::Kernel;

namespace
{
constexpr double kFloorGain[7] = {0.9925, 0.9900, 0.9930, 0.9961, 0.9995, 0.9996, 0.9997};

// Gain actually applied per sample in "Clear" at 0 dB output: out / in, where the input is large
// enough for the dither not to matter. NaN where it cannot be read.
std::vector<double> appliedGain(const std::vector<float>& in, const std::vector<float>& out, double minLevel)
{
    std::vector<double> g(in.size(), std::nan(""));
    for (size_t i = 0; i < in.size(); ++i)
        if (std::fabs(in[i]) >= minLevel)
            g[i] = double(out[i]) / double(in[i]);
    return g;
}

vellaCorEffect clearAtUnityOutput(double ratio = 0.5, double attack = 0.5, double time = 0.5,
                                  double rate = 44100.0)
{
    vellaCorEffect e;
    e.setSampleRate(rate);
    e.setParameter(0, 0.5);
    e.setParameter(6, 0.0);
    e.setParameter(2, ratio);
    e.setParameter(3, attack);
    e.setParameter(4, time);
    e.reset(); // no glide of the output gain from its default
    return e;
}

struct Timing
{
    double attackMs, releaseMs, settled;
};

// A 1 kHz tone of amplitude 0.5 for one second between stretches of a -100 dBFS probe tone, which
// lets the gain be read without moving the detector. Times to 90 % of the way, first crossing.
struct TimingSignal
{
    double rate;
    int on, toneEnd, frames;
    std::vector<float> in;

    explicit TimingSignal(double r)
        : rate(r), on(int(r / 10)), toneEnd(on + int(r)), frames(toneEnd + 4 * int(r)),
          in(sine(frames, r, [this](int i) { return level(i); }))
    {
    }
    double level(int i) const { return (i >= on && i < toneEnd) ? 0.5 : 1e-5; }

    template <typename Output> Timing measure(const Output& out) const
    {
        std::vector<double> g(in.size(), std::nan(""));
        for (int i = 0; i < frames; ++i)
            if (std::fabs(in[i]) >= 0.5 * level(i))
                g[i] = double(out[i]) / double(in[i]);
        double sum = 0.0;
        int count = 0;
        for (int i = toneEnd - int(rate / 100); i < toneEnd; ++i)
            if (!std::isnan(g[i]))
                sum += g[i], ++count;
        const double settled = sum / count;
        const double floor = kFloorGain[3];
        Timing t{-1.0, -1.0, settled};
        for (int i = on; i < toneEnd && t.attackMs < 0; ++i)
            if (!std::isnan(g[i]) && g[i] <= floor - 0.9 * (floor - settled))
                t.attackMs = (i - on) / rate * 1000.0;
        for (int i = toneEnd; i < frames && t.releaseMs < 0; ++i)
            if (!std::isnan(g[i]) && g[i] >= settled + 0.9 * (floor - settled))
                t.releaseMs = (i - toneEnd) / rate * 1000.0;
        return t;
    }
};

Timing measureTiming(double attack, double time, double rate = 44100.0, Kernel kernel = Kernel::Fast)
{
    const TimingSignal s(rate);
    vellaCorEffect e = clearAtUnityOutput(0.5, attack, time, rate);
    e.setKernel(kernel);
    return s.measure(render(e, s.in, {}, 256).left);
}

// The same measurement on the compressor worked out from its equations.
Timing describedTiming(int attackSteps, double timeScale)
{
    const TimingSignal s(44100.0);
    qortest::DescribedCompressor::Settings settings;
    settings.attackSteps = attackSteps;
    settings.timeScale = timeScale;
    settings.drive = std::pow(2.0, 25.0 / 4.0 - 3.0);
    qortest::DescribedCompressor model(settings);
    std::vector<double> out(s.in.size());
    qortest::DescribedCompressor::Real right;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = double(model.step(s.in[i], 0.0, false, right));
    return s.measure(out);
}
} // namespace

TEST(GainCurves, ValuesAtTheFloorAtOneAndAtFour)
{
    const double atOne[7] = {0.8286, 0.7714, 0.7622, 0.7471, 0.7381, 0.7504, 0.7640};
    const double atFour[7] = {0.6308, 0.5077, 0.4350, 0.3642, 0.3059, 0.2803, 0.2573};
    for (int r = 0; r < 7; ++r)
    {
        EXPECT_NEAR(vellaCorEffect::gainCurve(r, std::sqrt(0.001)), kFloorGain[r], 5e-5) << r;
        EXPECT_NEAR(vellaCorEffect::gainCurve(r, 1.0), atOne[r], 5e-5) << r;
        EXPECT_NEAR(vellaCorEffect::gainCurve(r, 4.0), atFour[r], 5e-5) << r;
    }
    // Very large inputs tend to each curve's linear term.
    const double limit[7] = {0.4, 0.2, 0.094, 0.05, 0.03, 0.018, 0.01};
    for (int r = 0; r < 7; ++r)
        EXPECT_NEAR(vellaCorEffect::gainCurve(r, 1e9), limit[r], 1e-6) << r;
}

TEST(GainCurves, QuietSignalInClearGetsTheFloorGain)
{
    // -100 dBFS stays far below the 0.001 envelope floor, so out / in is the floor gain.
    const auto in = sine(8820, 44100.0, 1e-5);
    for (int r = 0; r < 7; ++r)
    {
        vellaCorEffect e = clearAtUnityOutput(r / 6.0);
        const auto out = render(e, in, {});
        const auto g = appliedGain(in, out.left, 5e-6);
        for (size_t i = 4410; i < g.size(); ++i)
        {
            if (!std::isnan(g[i]))
            {
                ASSERT_NEAR(g[i], kFloorGain[r], 1e-4) << "ratio " << r << " sample " << i;
            }
        }
    }
}

TEST(ValveStage, WorkedExamples)
{
    const double K = vellaCorEffect::valveHeadroom(6);
    EXPECT_EQ(K, 2.8);
    const double a = (1.0 / K) * vellaCorEffect::valveInputScaleForStep(3);
    const double b = K * vellaCorEffect::valveOutputScaleForStep(3);
    EXPECT_NEAR(vellaCorEffect::valveTransfer(10.0, a, b), 3.6338, 5e-5);
    EXPECT_NEAR(vellaCorEffect::valveTransfer(-10.0, a, b), -4.2854, 5e-5);
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(vellaCorEffect::valveHeadroom(r), qortest::DescribedCompressor::kHeadroom[r]) << r;
    EXPECT_EQ(vellaCorEffect::valveHeadroom(1), 15.839039999999997);
    // Slope a·b at zero: 1 for every step but "+1" (0.99991).
    for (int step = 0; step < 7; ++step)
    {
        const double sa = (1.0 / K) * vellaCorEffect::valveInputScaleForStep(step);
        const double sb = K * vellaCorEffect::valveOutputScaleForStep(step);
        const double slope = vellaCorEffect::valveTransfer(1e-7, sa, sb) / 1e-7;
        EXPECT_NEAR(slope, step == 4 ? 0.99991 : 1.0, 1e-6) << step;
        EXPECT_NEAR(vellaCorEffect::valveTransfer(-1e-7, sa, sb) / -1e-7, slope, 1e-6) << step;
    }
}

TEST(Meter, NeedleFallsBackWithTheMirroredStepResponseAtEveryRate)
{
    // A step of g from 1 to 0.5 reads 0.234 after 100 ms and 0.472 after 250 ms and is within
    // 0.025 of 0.5 after about 255 ms: as fractions of the step 0.468, 0.944 and 0.95. Switched
    // off from a steady reading r, the meter reads r times one minus that response, whatever
    // the sample rate.
    for (double rate : {22050.0, 44100.0, 96000.0, 192000.0})
    {
        SCOPED_TRACE(rate);
        vellaCorEffect e;
        e.setSampleRate(rate);
        render(e, sine(int(6 * rate), rate, 0.5), {});
        const double steady = gainReduction(e);
        EXPECT_NEAR(steady, 0.457, 0.0015);
        e.setParameter(0, 0.0);
        const auto bypassed = sine(int(0.4 * rate), rate, 0.5);
        double lowest = 1.0, at100 = -1.0, at250 = -1.0, within = -1.0;
        for (int i = 1; i <= int(bypassed.size()); ++i)
        {
            float in = bypassed[size_t(i) - 1], out = 0.0f;
            float* ip[2] = {&in, nullptr};
            float* op[2] = {&out, nullptr};
            e.process(ip, op, 1);
            const double fallen = 1.0 - gainReduction(e) / steady;
            lowest = std::min(lowest, gainReduction(e));
            if (i == int(0.1 * rate))
                at100 = fallen;
            if (i == int(0.25 * rate))
                at250 = fallen;
            if (within < 0 && fallen >= 0.95)
                within = i / rate * 1000.0;
        }
        EXPECT_NEAR(at100, 0.468, 0.002);
        EXPECT_NEAR(at250, 0.944, 0.002);
        EXPECT_NEAR(within, 255.0, 3.0);
        EXPECT_GE(lowest, 0.0); // the overshoot is cut at no reduction
    }
}

TEST(Meter, ReadingsAfterThreeSecondsOfSine)
{
    struct Case
    {
        double amplitude, mono, stereo;
    };
    for (const Case c : {Case{0.01, 0.053, 0.014}, Case{0.1, 0.229, 0.256}, Case{0.5, 0.457, 0.687}})
    {
        const auto in = sine(3 * 44100, 44100.0, c.amplitude);
        vellaCorEffect m, s;
        render(m, in, {});
        render(s, in, in);
        EXPECT_NEAR(gainReduction(m), c.mono, 0.0006) << c.amplitude;
        EXPECT_NEAR(gainReduction(s), c.stereo, 0.0006) << c.amplitude;
    }
}

TEST(Detector, AttackAndReleaseTimes)
{
    struct Case
    {
        double attack, time, attackMs, releaseMs; // releaseMs < 0: longer than 2 s
    };
    for (const Case c : {Case{0.5, 0.5, 11.0, 1700.0}, Case{0.0, 0.5, 2.3, 1700.0}, Case{1.0, 0.5, 87.0, 1700.0},
                         Case{0.5, 0.0, 1.2, 75.0}, Case{0.5, 1.0, 160.0, -1.0}})
    {
        const Timing t = measureTiming(c.attack, c.time);
        SCOPED_TRACE(testing::Message() << "attack " << c.attack << " time " << c.time);
        EXPECT_NEAR(t.attackMs, c.attackMs, std::max(0.5, 0.2 * c.attackMs));
        if (c.releaseMs < 0)
        {
            EXPECT_LT(t.releaseMs, 0.0); // not recovered within the following 4 s
        }
        else
        {
            EXPECT_NEAR(t.releaseMs, c.releaseMs, 0.2 * c.releaseMs);
        }
        if (c.attack == 0.5 && c.time == 0.5)
        {
            EXPECT_NEAR(t.settled, 0.54, 0.01);
        }
    }
}

TEST(Detector, EveryAttackStepTakesItsTimeInBothKernels)
{
    // 56, 33, 20, 10, 5, 3 and 1 optical steps per rising sample: the times of the equations to
    // within a sample, each step clearly slower than the one before, and the same release.
    const int steps[7] = {56, 33, 20, 10, 5, 3, 1};
    double before = 0.0;
    for (int attack = 0; attack < 7; ++attack)
    {
        const Timing expected = describedTiming(steps[attack], 0.05);
        EXPECT_GT(expected.attackMs, before * 1.2) << attack;
        before = expected.attackMs;
        for (Kernel kernel : {Kernel::Reference, Kernel::Fast})
        {
            SCOPED_TRACE(testing::Message() << "attack " << attack
                                            << (kernel == Kernel::Fast ? " fast" : " reference"));
            const Timing t = measureTiming(attack / 6.0, 0.5, 44100.0, kernel);
            EXPECT_NEAR(t.attackMs, expected.attackMs, 0.03);
            EXPECT_NEAR(t.releaseMs, expected.releaseMs, 0.03);
            EXPECT_NEAR(t.releaseMs, 1700.0, 0.2 * 1700.0);
        }
    }
}

TEST(Detector, TimingsInMillisecondsHoldAtEverySampleRate)
{
    // The detector is designed for the rate it runs at, so its times in ms do not move with it.
    const Timing at44 = measureTiming(0.5, 0.5);
    for (double rate : {22050.0, 96000.0, 192000.0})
    {
        const Timing t = measureTiming(0.5, 0.5, rate);
        EXPECT_NEAR(t.attackMs, at44.attackMs, 0.03 * at44.attackMs) << rate;
        EXPECT_NEAR(t.releaseMs, at44.releaseMs, 0.03 * at44.releaseMs) << rate;
        EXPECT_NEAR(t.settled, at44.settled, 0.005) << rate;
    }
}

TEST(Detector, DitherIsPresentOnEveryCompressedBlockEvenInSilence)
{
    vellaCorEffect e = clearAtUnityOutput();
    const std::vector<float> silence(4096, 0.0f);
    const auto out = render(e, silence, {});
    double largest = 0.0;
    size_t nonzero = 0;
    for (float v : out.left)
    {
        largest = std::max(largest, double(std::fabs(v)));
        nonzero += v != 0.0f;
    }
    EXPECT_GT(nonzero, 4000u);
    EXPECT_LE(largest, 1e-10 / e.driveTarget() * 1.001); // ±1e-10 before the drive is taken out
}

// The compressor's figures, worked out by hand from its curves and filters.
#include "tests/vellaCor/Render.h"
#include "vellaCor/vellaCorEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using qortest::gainReduction;
using qortest::render;
using qortest::sine;

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

vellaCorEffect clearAtUnityOutput(double ratio = 0.5, double attack = 0.5, double time = 0.5)
{
    vellaCorEffect e;
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
Timing measureTiming(double attack, double time)
{
    const double rate = 44100.0;
    const int on = 4410, toneEnd = on + 44100, frames = toneEnd + 4 * 44100;
    auto level = [&](int i) { return (i >= on && i < toneEnd) ? 0.5 : 1e-5; };
    const auto in = sine(frames, rate, level);
    vellaCorEffect e = clearAtUnityOutput(0.5, attack, time);
    const auto out = render(e, in, {}, 256);
    std::vector<double> g(in.size(), std::nan(""));
    for (int i = 0; i < frames; ++i)
        if (std::fabs(in[i]) >= 0.5 * level(i))
            g[i] = double(out.left[i]) / double(in[i]);

    double sum = 0.0;
    int count = 0;
    for (int i = toneEnd - 441; i < toneEnd; ++i)
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

TEST(ValveStage, ValveModeAppliesTheCurveToTheCompressedSignal)
{
    // Same detector in both modes, so per sample: valve out = V(clear out · drive) / drive.
    const auto in = sine(22050, 44100.0, 0.8);
    vellaCorEffect clear = clearAtUnityOutput(1.0);
    vellaCorEffect valve = clearAtUnityOutput(1.0);
    valve.setParameter(0, 1.0);
    valve.setParameter(7, 1.0);
    const auto c = render(clear, in, {});
    const auto v = render(valve, in, {});
    const double drive = clear.driveTarget();
    const double K = vellaCorEffect::valveHeadroom(6);
    const double a = 2.5 / K, b = K * 0.4;
    double largest = 0.0;
    for (size_t i = 0; i < in.size(); ++i)
    {
        const double y = double(c.left[i]) * drive;
        const double expected = (y >= 0 ? std::atan(a * y) * b : -std::tanh(-a * y * 0.64) * b / 0.64) / drive;
        ASSERT_NEAR(v.left[i], expected, 1e-5 * std::max(1.0, std::fabs(expected))) << i;
        largest = std::max(largest, std::fabs(double(v.left[i]) - double(c.left[i])));
    }
    EXPECT_GT(largest, 0.01); // the curve really colours at this level
}

TEST(Meter, StepResponseOfTheNeedleFilter)
{
    BiquadFilter meter(44100.0, kBiquadLowPass, 7.0 / 3.0, 0.583, 0.0);
    for (int i = 0; i < 441000; ++i)
        meter.process(1.0);
    double peak = 0.0, at100 = 0.0, at250 = 0.0, settledBy = -1.0;
    for (int i = 1; i <= 441000; ++i)
    {
        const double reading = 1.0 - meter.process(0.5);
        peak = std::max(peak, reading);
        if (i == 4410)
            at100 = reading;
        if (i == 11025)
            at250 = reading;
        if (settledBy < 0 && std::fabs(reading - 0.5) <= 0.025)
            settledBy = i / 44.1;
    }
    EXPECT_NEAR(at100, 0.234, 0.0005);
    EXPECT_NEAR(at250, 0.472, 0.0005);
    EXPECT_LE(peak, 0.5027);
    EXPECT_GT(peak, 0.5);
    EXPECT_NEAR(settledBy, 255.0, 3.0);
    EXPECT_NEAR(1.0 - meter.y1, 0.5, 1e-9);
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

TEST(Detector, ReleaseDoesNotDependOnTheAttackSetting)
{
    const Timing fast = measureTiming(0.0, 0.5);
    const Timing slow = measureTiming(1.0, 0.5);
    EXPECT_NEAR(fast.releaseMs, slow.releaseMs, 0.03 * slow.releaseMs);
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

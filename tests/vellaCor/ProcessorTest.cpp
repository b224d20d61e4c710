#include "tests/vellaCor/Render.h"
#include "vellaCor/vellaCorEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <vector>

using qortest::gainReduction;
using qortest::render;
using qortest::sine;

namespace
{
// A parameter-list message: 8 header bytes, kind, count, then 16-byte records.
std::vector<uint8_t> message(int kind, int count, const std::vector<std::pair<uint32_t, double>>& records)
{
    std::vector<uint8_t> m(10 + 16 * records.size(), 0xEE);
    m[8] = uint8_t(kind);
    m[9] = uint8_t(int8_t(count));
    for (size_t i = 0; i < records.size(); ++i)
    {
        uint8_t* r = m.data() + 10 + 16 * i;
        for (int b = 0; b < 4; ++b)
            r[b] = uint8_t(records[i].first >> (8 * b));
        uint64_t bits;
        std::memcpy(&bits, &records[i].second, 8);
        for (int b = 0; b < 8; ++b)
            r[8 + b] = uint8_t(bits >> (8 * b));
    }
    return m;
}

// |H| of a designed section at a frequency, evaluated for 48 kHz.
double magnitudeAt48k(const BiquadFilter& f, double hz)
{
    const std::complex<double> z1 = std::polar(1.0, -2.0 * qortest::kPi * hz / 48000.0), z2 = z1 * z1;
    return std::abs((f.b0 + f.b1 * z1 + f.b2 * z2) / (1.0 + f.a1 * z1 + f.a2 * z2));
}
} // namespace

TEST(Processor, FreshInstanceCompressesWithTheDefaults)
{
    vellaCorEffect e;
    EXPECT_EQ(e.mode(), 2);        // "Valve"
    EXPECT_EQ(e.ratioIndex(), 3);  // "3:1"
    EXPECT_EQ(e.attackIndex(), 3); // "x1"
    EXPECT_NEAR(e.timeScale(), 0.05, 1e-15);                                // "Time" 5.00
    EXPECT_NEAR(20.0 * std::log10(e.driveTarget()), 19.57, 0.005);          // step 25
    EXPECT_NEAR(20.0 * std::log10(e.outputTarget()), 4.5, 1e-9);
    EXPECT_EQ(e.sampleRate(), 44100.0);
    EXPECT_EQ(e.getLatency(), 0);
    EXPECT_EQ(gainReduction(e), 0.0);
    EXPECT_NEAR(e.meterFilter().y1, 1.0, 1e-4); // one second of unity input
    EXPECT_NEAR(e.meterFilter().frequency, 7.0 / 3.0, 1e-15);
    EXPECT_EQ(e.slowEnvelopeFilter().frequency, 2.0);
}

TEST(Processor, GetParameterAnswersOnlyTheMeter)
{
    vellaCorEffect e;
    double v = 123.0;
    EXPECT_FALSE(e.getParameter(5, &v));
    EXPECT_EQ(v, 123.0);
    EXPECT_FALSE(e.getParameter(-1, &v));
    EXPECT_FALSE(e.getParameter(13, nullptr));
    EXPECT_TRUE(e.getParameter(13, &v));
    EXPECT_EQ(v, 0.0);
}

TEST(Processor, SampleRateIsClampedAndFiltersRedesigned)
{
    vellaCorEffect e;
    EXPECT_FALSE(e.setSampleRate(8000.0));
    EXPECT_EQ(e.sampleRate(), 22050.0);
    EXPECT_FALSE(e.setSampleRate(384000.0));
    EXPECT_EQ(e.sampleRate(), 192000.0);
    EXPECT_FALSE(e.setSampleRate(std::nan("")));
    EXPECT_EQ(e.sampleRate(), 192000.0);
    EXPECT_TRUE(e.setSampleRate(48000.0));
    EXPECT_EQ(e.sampleRate(), 48000.0);

    // Each filter's response at 48 kHz measured at its own corner: a cookbook low-pass or
    // high-pass gives its Q there. Designed for any other rate, the corner would move.
    EXPECT_NEAR(magnitudeAt48k(e.meterFilter(), 7.0 / 3.0), 0.583, 1e-4);
    EXPECT_NEAR(magnitudeAt48k(e.meterFilter(), 0.0), 1.0, 1e-9);
    EXPECT_NEAR(magnitudeAt48k(e.fastEnvelopeFilter(), 5.0), 0.5, 1e-4);
    EXPECT_NEAR(magnitudeAt48k(e.slowEnvelopeFilter(), 2.0), 0.5, 1e-4);
    for (int ch = 0; ch < 2; ++ch)
    {
        EXPECT_NEAR(magnitudeAt48k(e.sidechainFilter(ch), 40.0), 0.3, 1e-4);
        EXPECT_NEAR(magnitudeAt48k(e.sidechainFilter(ch), 24000.0), 1.0, 1e-9);
    }
    EXPECT_EQ(e.opticalFilter().sampleRate, 48000.0);
}

// Every step of every stepped setting, a hair either side of each half step.
TEST(Processor, EveryHalfStepOfTheSettingsRoundsUp)
{
    const double valveIn[7] = {1.0 / 7.0, 1.0 / 3.0, 1.0 / 1.8, 1.0, 1.4141, 2.0, 2.5};
    const double valveOut[7] = {7.0, 3.0, 1.8, 1.0, 0.7071, 0.5, 0.4};
    vellaCorEffect e;
    for (int k = 0; k < 6; ++k)
        for (int side : {0, 1})
        {
            const double x = (k + 0.5) / 6.0 + (side == 0 ? -1e-6 : 1e-6);
            const int step = k + side;
            for (uint32_t index : {2u, 3u, 7u})
                e.setParameter(index, x);
            EXPECT_EQ(e.ratioIndex(), step) << x;
            EXPECT_EQ(e.attackIndex(), step) << x;
            EXPECT_DOUBLE_EQ(e.valveInputScale(), valveIn[step]) << x;
            EXPECT_DOUBLE_EQ(e.valveOutputScale(), valveOut[step]) << x;
            if (k < 2)
            {
                e.setParameter(0, (k + 0.5) / 2.0 + (side == 0 ? -1e-6 : 1e-6));
                EXPECT_EQ(e.mode(), step);
            }
        }
    for (int m = 0; m < 60; ++m) // "Output": 0.5 dB steps
        for (int side : {0, 1})
        {
            e.setParameter(6, (m + 0.5) / 60.0 + (side == 0 ? -1e-6 : 1e-6));
            EXPECT_NEAR(e.outputTarget(), std::pow(10.0, (m + side) / 40.0), 1e-12 * e.outputTarget()) << m;
        }
    for (int k = 0; k < 40; ++k) // "Compression": step k at x^0.7071 = k / 40, 1.505 dB apart
        for (int side : {0, 1})
        {
            e.setParameter(5, std::pow((k + 0.5) / 40.0, 1.0 / 0.7071) + (side == 0 ? -1e-5 : 1e-5));
            EXPECT_NEAR(e.driveTarget(), std::pow(2.0, (k + side) / 4.0 - 3.0), 1e-12 * e.driveTarget()) << k;
        }
}

TEST(Processor, ParameterMappings)
{
    vellaCorEffect e;
    // "AttackRatio" reads the double; the others its 32-bit rounding (0.25 - 1e-12 rounds to 0.25).
    e.setParameter(3, 0.25 - 1e-12);
    e.setParameter(2, 0.25 - 1e-12);
    EXPECT_EQ(e.attackIndex(), 1);
    EXPECT_EQ(e.ratioIndex(), 2);

    e.setParameter(5, 0.0);
    EXPECT_NEAR(20.0 * std::log10(e.driveTarget()), -18.06, 0.005);
    e.setParameter(5, 1.0);
    EXPECT_NEAR(20.0 * std::log10(e.driveTarget()), 42.14, 0.005);
    e.setParameter(6, 1.0);
    EXPECT_NEAR(e.outputTarget(), 31.622776601683793, 1e-12);
    e.setParameter(6, 0.0);
    EXPECT_EQ(e.outputTarget(), 1.0);
    e.setParameter(4, 0.0);
    EXPECT_NEAR(e.timeScale(), 0.005, 1e-15);
    e.setParameter(4, 1.0);
    EXPECT_NEAR(e.timeScale(), 0.5, 1e-15);

    e.setParameter(7, 4.0 / 6.0);
    EXPECT_EQ(e.valveInputScale(), 1.4141);
    EXPECT_EQ(e.valveOutputScale(), 0.7071);
    e.setParameter(7, 0.0);
    EXPECT_DOUBLE_EQ(e.valveInputScale(), 1.0 / 7.0);
    EXPECT_EQ(e.valveOutputScale(), 7.0);
    e.setParameter(7, 2.0); // step 12 lies outside the table
    EXPECT_EQ(e.valveInputScale(), 1.0);
    EXPECT_EQ(e.valveOutputScale(), 1.0);

    e.setParameter(0, 0.2499);
    EXPECT_EQ(e.mode(), 0);
    e.setParameter(0, 0.25);
    EXPECT_EQ(e.mode(), 1);

    e.setParameter(2, 0.5);
    e.setParameter(2, std::nan("")); // ignored
    EXPECT_EQ(e.ratioIndex(), 3);
    e.setParameter(12, 0.9); // inert
    EXPECT_EQ(e.ratioIndex(), 3);
}

TEST(Processor, OutOfRangeRatioIsPulledInAtTheNextBlock)
{
    vellaCorEffect e;
    e.setParameter(2, 3.0);
    EXPECT_EQ(e.ratioIndex(), 18);
    float in = 0.1f, out = 0.0f;
    float* i[2] = {&in, nullptr};
    float* o[2] = {&out, nullptr};
    e.process(i, o, 0); // even an empty block pulls it in
    EXPECT_EQ(e.ratioIndex(), 6);
}

TEST(Processor, ParameterListMessages)
{
    vellaCorEffect e;
    auto m = message(9, 2, {{2, 0.0}, {2, 1.0}});
    EXPECT_TRUE(e.receiveMessage(m.data(), int32_t(m.size())));
    EXPECT_EQ(e.ratioIndex(), 6); // the later record wins

    auto other = message(8, 1, {{2, 0.0}});
    EXPECT_TRUE(e.receiveMessage(other.data(), int32_t(other.size())));
    EXPECT_EQ(e.ratioIndex(), 6);

    auto none = message(9, -3, {{2, 0.0}});
    EXPECT_TRUE(e.receiveMessage(none.data(), int32_t(none.size())));
    EXPECT_EQ(e.ratioIndex(), 6);

    EXPECT_TRUE(e.receiveMessage(nullptr, 100));
    EXPECT_TRUE(e.receiveMessage(m.data(), 9));
}

TEST(Processor, MessageWhoseCountOverstatesItsLengthAppliesOnlyWholeRecords)
{
    vellaCorEffect e;
    auto m = message(9, 127, {{2, 0.0}, {3, 0.0}});
    // Claims 127 records but carries two, and the second is cut short by one byte.
    std::vector<uint8_t> cut(m.begin(), m.end() - 1);
    EXPECT_TRUE(e.receiveMessage(cut.data(), int32_t(cut.size())));
    EXPECT_EQ(e.ratioIndex(), 0);
    EXPECT_EQ(e.attackIndex(), 3); // untouched
    EXPECT_TRUE(e.receiveMessage(m.data(), int32_t(m.size())));
    EXPECT_EQ(e.attackIndex(), 0);
}

TEST(Processor, MonoCallWritesBothOutputsOrOnlyTheLeft)
{
    const auto in = sine(2048, 44100.0, 0.3);
    vellaCorEffect a, b;
    const auto both = render(a, in, {});
    EXPECT_EQ(both.left, both.right);

    std::vector<float> left(in.size(), 0.0f), untouched(in.size(), 7.0f);
    for (size_t pos = 0; pos < in.size(); pos += 512)
    {
        float* i[2] = {const_cast<float*>(in.data()) + pos, nullptr};
        float* o[2] = {left.data() + pos, nullptr};
        b.process(i, o, 512);
    }
    EXPECT_EQ(left, both.left);
    EXPECT_EQ(untouched, std::vector<float>(in.size(), 7.0f));
}

TEST(Processor, StereoSharesOneDetectorAndDiffersFromMono)
{
    const auto in = sine(44100, 44100.0, 0.3);
    vellaCorEffect s, m;
    const auto stereo = render(s, in, in);
    const auto mono = render(m, in, {});
    double largest = 0.0, apart = 0.0;
    for (size_t i = 0; i < in.size(); ++i)
    {
        largest = std::max(largest, double(std::fabs(stereo.left[i] - stereo.right[i])));
        apart = std::max(apart, double(std::fabs(stereo.left[i] - mono.left[i])));
    }
    EXPECT_LT(largest, 1e-7); // one gain for both; only the dither and float rounding differ
    EXPECT_GT(apart, 0.01);   // power detector versus magnitude detector
}

TEST(Processor, NullChannelArraysAreIgnored)
{
    vellaCorEffect e;
    float buf[4] = {1, 2, 3, 4};
    float* none[2] = {nullptr, nullptr};
    float* some[2] = {buf, nullptr};
    e.process(nullptr, some, 4);
    e.process(some, nullptr, 4);
    e.process(none, some, 4);
    e.processBypassed(none, some, 4);
    EXPECT_EQ(buf[3], 4.0f);
}

TEST(Processor, ProcessOffPassesAudioUntouchedAndTheMeterFalls)
{
    vellaCorEffect e;
    const auto in = sine(44100, 44100.0, 0.5);
    render(e, in, {});
    const double before = gainReduction(e);
    EXPECT_GT(before, 0.3);

    e.setParameter(0, 0.0);
    std::vector<float> right(in.size());
    for (size_t i = 0; i < in.size(); ++i)
        right[i] = -in[i] * 0.5f;
    const auto out = render(e, in, right, 64);
    EXPECT_EQ(out.left, in);
    EXPECT_EQ(out.right, right);
    const double after = gainReduction(e);
    EXPECT_LT(after, 0.01);
    EXPECT_GE(after, 0.0);
}

TEST(Processor, HostBypassFreezesDetectorSmoothersAndNoise)
{
    const auto x = sine(10000, 44100.0, 0.4);
    const auto y = sine(3000, 44100.0, 0.9);
    const auto z = sine(10000, 44100.0, 0.2);
    vellaCorEffect a, b;
    render(a, x, {});
    render(b, x, {});
    std::vector<float> out(y.size());
    float* i[2] = {const_cast<float*>(y.data()), nullptr};
    float* o[2] = {out.data(), nullptr};
    a.processBypassed(i, o, int32_t(y.size()));
    EXPECT_EQ(out, y);
    EXPECT_EQ(render(a, z, {}).left, render(b, z, {}).left);
}

TEST(Processor, DoublePathMatchesTheFloatPathWhereTheirAttackTablesAgree)
{
    // At "x1" both paths take 10 steps, so the float output is the double output rounded.
    const auto in = sine(20000, 44100.0, [](int i) { return i < 5000 ? 0.0 : 0.6; });
    for (double attack : {0.0, 0.5, 1.0})
    {
        vellaCorEffect f, d;
        f.setParameter(3, attack);
        d.setParameter(3, attack);
        const auto single = render(f, in, {}).left;
        std::vector<double> din(in.begin(), in.end()), dout(in.size());
        double* i[2] = {din.data(), nullptr};
        double* o[2] = {dout.data(), nullptr};
        d.processDouble(i, o, int32_t(din.size()));
        size_t differing = 0;
        for (size_t k = 0; k < in.size(); ++k)
            differing += single[k] != float(dout[k]);
        if (attack == 0.5)
        {
            EXPECT_EQ(differing, 0u);
        }
        else
        {
            EXPECT_GT(differing, 1000u) << attack; // 56 vs 40 and 1 vs 2 attack steps
        }
    }
}

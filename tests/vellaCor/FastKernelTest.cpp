// The fast kernel against the reference kernel: the same output within 1e-6 of full scale, and in
// the 32-bit path the very same floats almost everywhere, on the benchmark's signals and on random
// settings. Also its two numerical building blocks against the plain computation they replace.
#include "bench/BenchSignals.h"
#include "tests/vellaCor/Render.h"
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorHeldSteps.h"
#include "vellaCor/vellaCorSmallAngle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

using qortest::render;

namespace
{
constexpr double kTolerance = 1e-6; // of full scale
// The attack's closed form rounds differently from N single steps (it is the nearer to exact: the
// two-pole recursion magnifies the rounding of each step), so now and then a float differs by one
// step, mostly where the attack runs many steps.
constexpr double kIdenticalPerCase = 0.999;
constexpr double kIdenticalOverall = 0.9999;

struct Match
{
    double maxDifference = 0.0;
    size_t identical = 0, total = 0;
    double fraction() const { return total == 0 ? 1.0 : double(identical) / double(total); }
    void add(const std::vector<float>& a, const std::vector<float>& b)
    {
        for (size_t i = 0; i < a.size(); ++i)
        {
            maxDifference = std::max(maxDifference, std::fabs(double(a[i]) - double(b[i])));
            identical += a[i] == b[i];
        }
        total += a.size();
    }
};

// Settings as normalised values of the parameters 0 and 2..7; empty ones stay at the defaults.
using Settings = std::vector<std::pair<uint32_t, double>>;

vellaCorEffect configured(vellaCorEffect::Kernel kernel, double rate, const Settings& settings)
{
    vellaCorEffect e;
    e.setKernel(kernel);
    e.setSampleRate(rate);
    for (const auto& [index, value] : settings)
        e.setParameter(index, value);
    e.reset();
    return e;
}

Match compare(const std::vector<float>& signal, bool stereo, double rate, const Settings& settings, int block = 512)
{
    vellaCorEffect reference = configured(vellaCorEffect::Kernel::Reference, rate, settings);
    vellaCorEffect fast = configured(vellaCorEffect::Kernel::Fast, rate, settings);
    // The right channel is the left one delayed, so that the two differ.
    std::vector<float> right;
    if (stereo)
    {
        right.assign(signal.size(), 0.0f);
        std::copy(signal.begin(), signal.end() - 37, right.begin() + 37);
    }
    const auto expected = render(reference, signal, right, block);
    const auto got = render(fast, signal, right, block);
    Match m;
    m.add(expected.left, got.left);
    m.add(expected.right, got.right);
    EXPECT_NEAR(fast.opticalEnvelope(), reference.opticalEnvelope(), 1e-8 * reference.opticalEnvelope());
    EXPECT_NEAR(fast.meterGain(), reference.meterGain(), 1e-9);
    EXPECT_EQ(fast.opticalFilter().frequency, reference.opticalFilter().frequency);
    EXPECT_EQ(fast.opticalFilter().b1, reference.opticalFilter().b1);
    return m;
}

const std::vector<std::pair<std::string, std::vector<float>>>& benchSignals()
{
    static const std::vector<std::pair<std::string, std::vector<float>>> signals = {
        {"sine", qorbench::steadySine(96000)},
        {"drums", qorbench::drumHits(96000)},
        {"pink", qorbench::pinkNoise(96000)}};
    return signals;
}
} // namespace

TEST(FastKernel, MatchesTheReferenceOnTheBenchmarkSignals)
{
    for (const auto& [name, signal] : benchSignals())
        for (bool stereo : {false, true})
            for (double attack : {0.5, 0.0}) // the defaults ("x1") and the worst case ("x0.25")
            {
                const Match m = compare(signal, stereo, qorbench::kRate, {{3, attack}});
                const std::string where = name + (stereo ? " stereo" : " mono") + " attack " + std::to_string(attack);
                EXPECT_LE(m.maxDifference, kTolerance) << where;
                EXPECT_GE(m.fraction(), kIdenticalPerCase) << where;
            }
}

TEST(FastKernel, MatchesTheReferenceOnRandomSettings)
{
    std::mt19937 rng(20240607);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double rates[] = {22050.0, 44100.0, 48000.0, 96000.0, 192000.0};
    const int blocks[] = {1, 7, 64, 65, 500, 4096};
    size_t identical = 0, total = 0;
    for (int trial = 0; trial < 24; ++trial)
    {
        Settings s;
        for (uint32_t index : {0u, 2u, 3u, 4u, 5u, 6u, 7u})
            s.push_back({index, unit(rng)});
        if (s[0].second < 0.25)
            s[0].second = 1.0; // "Off" would only test the bypass
        const auto& signal = benchSignals()[size_t(trial) % 3].second;
        const bool stereo = trial % 2 == 1;
        const Match m = compare(signal, stereo, rates[trial % 5], s, blocks[trial % 6]);
        EXPECT_LE(m.maxDifference, kTolerance) << "trial " << trial;
        EXPECT_GE(m.fraction(), kIdenticalPerCase) << "trial " << trial;
        identical += m.identical;
        total += m.total;
    }
    EXPECT_GE(double(identical) / double(total), kIdenticalOverall);
}

TEST(FastKernel, FollowsSettingsChangedBetweenBlocksAndKernelSwitches)
{
    // Both processors take the same changes every block; the second also swaps kernels, which
    // works only if the fast kernel leaves the state exactly as the reference one reads it.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto& signal = benchSignals()[1].second;
    vellaCorEffect reference = configured(vellaCorEffect::Kernel::Reference, 44100.0, {});
    vellaCorEffect mixed = configured(vellaCorEffect::Kernel::Fast, 44100.0, {});
    std::vector<float> a(signal.size()), b(signal.size()), ar(signal.size()), br(signal.size());
    const int block = 480;
    for (size_t pos = 0; pos + block <= signal.size(); pos += block)
    {
        const uint32_t index = std::vector<uint32_t>{0, 2, 3, 4, 5, 6, 7}[pos / block % 7];
        const double value = index == 0 ? 0.5 + 0.5 * unit(rng) : unit(rng);
        reference.setParameter(index, value);
        mixed.setParameter(index, value);
        mixed.setKernel(pos / block % 3 == 0 ? vellaCorEffect::Kernel::Reference : vellaCorEffect::Kernel::Fast);
        float* in[2] = {const_cast<float*>(signal.data()) + pos, const_cast<float*>(signal.data()) + pos};
        float* outA[2] = {a.data() + pos, ar.data() + pos};
        float* outB[2] = {b.data() + pos, br.data() + pos};
        reference.process(in, outA, block);
        mixed.process(in, outB, block);
    }
    Match m;
    m.add(a, b);
    m.add(ar, br);
    EXPECT_LE(m.maxDifference, kTolerance);
    EXPECT_GE(m.fraction(), kIdenticalPerCase);
}

TEST(FastKernel, ProcessesInPlace)
{
    // Hosts may hand the same buffers in and out; the kernel reads a chunk ahead of what it writes.
    const auto& signal = benchSignals()[1].second;
    for (bool stereo : {false, true})
        for (int block : {63, 300, 4096})
        {
            vellaCorEffect apart = configured(vellaCorEffect::Kernel::Fast, 48000.0, {});
            vellaCorEffect inPlace = configured(vellaCorEffect::Kernel::Fast, 48000.0, {});
            const auto expected = render(apart, signal, stereo ? signal : std::vector<float>{}, block);
            std::vector<float> left = signal, right = signal;
            for (size_t pos = 0; pos < signal.size(); pos += size_t(block))
            {
                const int n = int(std::min(signal.size() - pos, size_t(block)));
                float* in[2] = {left.data() + pos, stereo ? right.data() + pos : nullptr};
                float* out[2] = {left.data() + pos, right.data() + pos};
                inPlace.process(in, out, n);
            }
            EXPECT_EQ(left, expected.left) << block << (stereo ? " stereo" : " mono");
            EXPECT_EQ(right, expected.right) << block << (stereo ? " stereo" : " mono");
        }
}

TEST(FastKernel, DoublePathMatchesTheReference)
{
    for (double attack : {0.0, 0.5, 1.0})
        for (bool stereo : {false, true})
        {
            const auto& signal = benchSignals()[1].second;
            std::vector<double> in(signal.begin(), signal.end()), refL(in.size()), refR(in.size()),
                fastL(in.size()), fastR(in.size());
            vellaCorEffect reference = configured(vellaCorEffect::Kernel::Reference, 48000.0, {{3, attack}});
            vellaCorEffect fast = configured(vellaCorEffect::Kernel::Fast, 48000.0, {{3, attack}});
            double* i[2] = {in.data(), stereo ? in.data() : nullptr};
            double* r[2] = {refL.data(), refR.data()};
            double* f[2] = {fastL.data(), fastR.data()};
            reference.processDouble(i, r, int32_t(in.size()));
            fast.processDouble(i, f, int32_t(in.size()));
            double worst = 0.0;
            for (size_t k = 0; k < in.size(); ++k)
                worst = std::max({worst, std::fabs(refL[k] - fastL[k]), std::fabs(refR[k] - fastR[k])});
            EXPECT_LE(worst, kTolerance) << attack << (stereo ? " stereo" : " mono");
        }
}

TEST(SmallAngle, SineAndCosineAreTheLibrarysAlmostAlways)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> angle(0.0, vellaCorSmallAngle::kSmallAngleLimit);
    int sameSin = 0, sameCos = 0;
    const int count = 200000;
    for (int i = 0; i < count; ++i)
    {
        // Mostly the small angles of everyday corners (below 0.02), some up to the limit.
        const double w = i % 4 == 0 ? angle(rng) : angle(rng) * 0.08;
        double s, c;
        vellaCorSmallAngle::sinCos(w, s, c);
        ASSERT_LE(std::fabs(s - std::sin(w)), std::nextafter(std::sin(w), 1.0) - std::sin(w)) << w;
        ASSERT_LE(std::fabs(c - std::cos(w)), std::cos(w) - std::nextafter(std::cos(w), 0.0)) << w;
        sameSin += s == std::sin(w);
        sameCos += c == std::cos(w);
    }
    EXPECT_GE(sameSin, count * 999 / 1000);
    EXPECT_GE(sameCos, count * 9999 / 10000);
}

TEST(HeldSteps, ClosedFormMatchesSteppingTheRecursion)
{
    // Coefficients of the optical low-pass (Q 0.1) from 0.01 Hz to 500 Hz at 44.1 kHz.
    const int lanes = 64;
    std::vector<double> a1(lanes), a2(lanes);
    for (int i = 0; i < lanes; ++i)
    {
        const double w = 6.283185307179586 * 0.01 * std::pow(5e4, double(i) / (lanes - 1)) / 44100.0;
        const double alpha = std::sin(w) / 0.2;
        a1[i] = -2.0 * std::cos(w) / (1.0 + alpha);
        a2[i] = (1.0 - alpha) / (1.0 + alpha);
    }
    for (int k : {0, 1, 2, 3, 8, 14, 23, 31, 38, 54})
    {
        for (int i = 0; i < lanes; ++i)
        {
            // Stepped in extended precision, as the recursion magnifies its own rounding.
            const double y1 = 0.3, y2 = 0.29, h = 0.02 * (1.0 + a1[i] + a2[i]); // settles towards 0.02
            long double p = y1, q = y2;
            for (int step = 0; step < k; ++step)
            {
                const long double y = h - a1[i] * p - a2[i] * q;
                q = p;
                p = y;
            }
            const vellaCorHeldSteps::Map m = vellaCorHeldSteps::power(a1[i], a2[i], h, k);
            const double delta = y1 - y2;
            const double yk = y1 + ((m.e00 * y1 + m.e01 * delta) + m.f0);
            const double deltaK = delta + ((m.e10 * y1 + m.e11 * delta) + m.f1);
            EXPECT_NEAR(yk, double(p), 1e-15) << k << " " << i; // a few ulps
            EXPECT_NEAR(yk - deltaK, double(q), 1e-15) << k << " " << i;
        }
    }
}

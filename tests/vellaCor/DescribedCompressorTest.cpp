// Both kernels and both precisions against the compressor worked out from its equations: every
// attack step, every ratio's valve headroom, every "ValveLevel" step, stereo, the glides, and the
// sample rates from 22.05 to 192 kHz.
#include "tests/vellaCor/DescribedCompressor.h"
#include "tests/vellaCor/Render.h"
#include "vellaCor/vellaCorEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using qortest::DescribedCompressor;
using Kernel = vellaCorEffect::Kernel;

namespace
{
// Attack step counts of the 32-bit and the 64-bit path; release is one step.
constexpr int kSteps32[7] = {56, 33, 20, 10, 5, 3, 1};
constexpr int kSteps64[7] = {40, 25, 16, 10, 6, 4, 2};
// "ValveLevel" steps: drive into the valve and make-up after it.
constexpr double kValveIn[7] = {1.0 / 7.0, 1.0 / 3.0, 1.0 / 1.8, 1.0, 1.4141, 2.0, 2.5};
constexpr double kValveOut[7] = {7.0, 3.0, 1.8, 1.0, 0.7071, 0.5, 0.4};
const double kDefaultDrive = std::pow(2.0, 25.0 / 4.0 - 3.0); // "Compression" 5.00, step 25

struct Case
{
    Kernel kernel = Kernel::Fast;
    bool doublePath = false;
    bool stereo = false;
    int attack = 3, ratio = 3, level = 3;
    double rate = 44100.0;
};

// The product set up through its normalised values; the model through the plain figures.
vellaCorEffect product(const Case& c, double mode)
{
    vellaCorEffect e;
    e.setKernel(c.kernel);
    e.setSampleRate(c.rate);
    const double values[8] = {mode, 0.0, c.ratio / 6.0, c.attack / 6.0, 0.5, 0.5, 0.0, c.level / 6.0};
    for (uint32_t i = 0; i < 8; ++i)
        e.setParameter(i, values[i]);
    e.reset();
    return e;
}

DescribedCompressor::Settings described(const Case& c, int mode)
{
    DescribedCompressor::Settings s;
    s.rate = c.rate;
    s.mode = mode;
    s.ratio = c.ratio;
    s.attackSteps = (c.doublePath ? kSteps64 : kSteps32)[c.attack];
    s.drive = kDefaultDrive;
    s.valveIn = kValveIn[c.level];
    s.valveOut = kValveOut[c.level];
    return s;
}

// A tone burst with silence before, a quieter stretch and a loud stretch: attack, release and
// a second attack from a raised envelope.
std::vector<float> burst(double rate)
{
    const int ms = int(rate / 1000.0);
    return qortest::sine(160 * ms, rate,
                         [&](int i) {
                             return i < 5 * ms ? 0.0 : i < 60 * ms ? 0.5 : i < 110 * ms ? 0.02 : 0.9;
                         });
}

// Largest difference between product and model relative to the model's output, sample by
// sample, in blocks of 480 (changes, if any, between blocks).
double deviation(const Case& c, vellaCorEffect& e, DescribedCompressor& m, const std::vector<float>& in,
                 void (*between)(vellaCorEffect&, DescribedCompressor&, size_t) = nullptr)
{
    const size_t n = in.size(), block = 480;
    std::vector<float> right(n, 0.0f), outL(n), outR(n);
    std::copy(in.begin(), in.end() - 37, right.begin() + 37); // the right channel lags
    std::vector<double> dl(in.begin(), in.end()), dr(right.begin(), right.end()), doL(n), doR(n);
    double worst = 0.0;
    for (size_t pos = 0; pos < n; pos += block)
    {
        if (between != nullptr) between(e, m, pos);
        const int count = int(std::min(block, n - pos));
        if (c.doublePath)
        {
            double* i[2] = {dl.data() + pos, c.stereo ? dr.data() + pos : nullptr};
            double* o[2] = {doL.data() + pos, doR.data() + pos};
            e.processDouble(i, o, count);
        }
        else
        {
            float* i[2] = {const_cast<float*>(in.data()) + pos, c.stereo ? right.data() + pos : nullptr};
            float* o[2] = {outL.data() + pos, outR.data() + pos};
            e.process(i, o, count);
        }
        for (size_t k = pos; k < pos + size_t(count); ++k)
        {
            DescribedCompressor::Real r;
            const DescribedCompressor::Real l = m.step(in[k], right[k], c.stereo, r);
            const double pl = c.doublePath ? doL[k] : outL[k], pr = c.doublePath ? doR[k] : outR[k];
            worst = std::max({worst, double(std::fabs(pl - l) / std::max(std::fabs(l), 1e-12L)),
                              double(std::fabs(pr - r) / std::max(std::fabs(r), 1e-12L))});
        }
    }
    return worst;
}

// Float outputs are rounded to 24 bits; doubles keep what the filters' rounding leaves.
double tolerance(const Case& c)
{
    return c.doublePath ? 1e-9 : 2e-7;
}
} // namespace

TEST(DescribedCompressor, EveryAttackStepOnBothKernelsAndBothPaths)
{
    const auto in = burst(44100.0);
    for (Kernel kernel : {Kernel::Reference, Kernel::Fast})
        for (bool doublePath : {false, true})
            for (int attack = 0; attack < 7; ++attack)
            {
                Case c;
                c.kernel = kernel, c.doublePath = doublePath, c.attack = attack;
                SCOPED_TRACE(testing::Message()
                             << (kernel == Kernel::Fast ? "fast" : "reference")
                             << (doublePath ? " 64-bit" : " 32-bit") << " attack " << attack);
                vellaCorEffect e = product(c, 0.5);
                DescribedCompressor model(described(c, 1));
                EXPECT_LE(deviation(c, e, model, in), tolerance(c));

                // One attack step more is told apart: the comparison sees the step count.
                vellaCorEffect again = product(c, 0.5);
                DescribedCompressor::Settings other = described(c, 1);
                other.attackSteps += 1;
                DescribedCompressor neighbour(other);
                EXPECT_GT(deviation(c, again, neighbour, in), 100.0 * tolerance(c));
            }
}

TEST(DescribedCompressor, ValveAtEveryRatioAndEveryLevel)
{
    const auto in = burst(44100.0);
    for (int ratio = 0; ratio < 7; ++ratio)
        for (int level = 0; level < 7; ++level)
        {
            if (ratio != 3 && level != 3 && level != 6)
                continue; // every ratio at "0" and "+3", every level at the default "3:1"
            Case c;
            c.ratio = ratio, c.level = level;
            SCOPED_TRACE(testing::Message() << "ratio " << ratio << " level " << level);
            vellaCorEffect e = product(c, 1.0);
            DescribedCompressor model(described(c, 2));
            EXPECT_LE(deviation(c, e, model, in), tolerance(c));
        }
}

TEST(DescribedCompressor, StereoAndGlidesAtEverySampleRate)
{
    // Output and drive change every block, so the 0.001 per-sample glides are followed throughout.
    const auto changes = [](vellaCorEffect& e, DescribedCompressor& m, size_t pos)
    {
        const int step = int(pos / 480);
        const int k = 10 + 7 * (step % 4), out = 12 * (step % 5);
        e.setParameter(5, std::pow(k / 40.0, 1.0 / 0.7071) + 1e-4); // "Compression" step k
        e.setParameter(6, out / 60.0);                              // "Output" out × 0.5 dB
        m.settings().drive = std::pow(2.0, k / 4.0 - 3.0);
        m.settings().output = std::pow(10.0, out / 40.0);
    };
    for (double rate : {22050.0, 44100.0, 96000.0, 192000.0})
        for (Kernel kernel : {Kernel::Reference, Kernel::Fast})
            for (bool stereo : {false, true})
            {
                Case c;
                c.kernel = kernel, c.stereo = stereo, c.rate = rate;
                SCOPED_TRACE(testing::Message() << rate << (kernel == Kernel::Fast ? " fast" : " reference")
                                                << (stereo ? " stereo" : " mono"));
                vellaCorEffect e = product(c, 1.0);
                DescribedCompressor model(described(c, 2));
                EXPECT_LE(deviation(c, e, model, burst(rate), changes), tolerance(c));
                EXPECT_NEAR(qortest::gainReduction(e), double(model.meterReading()), 1e-6);
            }
}

#include "vellaCor/BiquadFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace
{
constexpr double kPi = 3.14159265358979323846;

// |H(e^jw)| of the designed section, evaluated from its coefficients.
double magnitude(const BiquadFilter& f, double hz)
{
    const std::complex<double> z1 = std::polar(1.0, -2.0 * kPi * hz / f.sampleRate);
    const std::complex<double> z2 = z1 * z1;
    return std::abs((f.b0 + f.b1 * z1 + f.b2 * z2) / (1.0 + f.a1 * z1 + f.a2 * z2));
}

double settle(BiquadFilter& f, double input, int steps)
{
    double y = 0.0;
    for (int i = 0; i < steps; ++i)
        y = f.process(input);
    return y;
}
} // namespace

TEST(BiquadFilter, FrequencyAboveNyquistLimitIsLoweredAndStored)
{
    BiquadFilter f(44100.0, kBiquadLowPass, 30000.0, 0.5, 0.0);
    EXPECT_NEAR(f.frequency, 22005.9, 1e-9);

    BiquadFilter g(44100.0, kBiquadLowPass, 5000.0, 0.5, 0.0);
    g.setSampleRate(8000.0); // out of the reference range: lowered against 44100 first...
    EXPECT_NEAR(g.frequency, 3992.0, 1e-9); // ...then by the design step against 8000
    EXPECT_EQ(g.sampleRate, 8000.0);

    BiquadFilter h(44100.0, kBiquadHighPass, 30000.0, 0.5, 0.0);
    h.setSampleRate(48000.0);
    EXPECT_NEAR(h.frequency, 22005.9, 1e-9); // lowered at 44100 at creation, kept at 48000
}

TEST(BiquadFilter, QCorrectionOnlyMattersNearNyquist)
{
    BiquadFilter hp(44100.0, kBiquadHighPass, 40.0, 0.3, 0.0);
    const double w = 2.0 * kPi * 40.0 / 44100.0;
    const double alpha = (1.0 - hp.a2) / (1.0 + hp.a2); // a2 = (1 - α) / (1 + α)
    EXPECT_NEAR(std::sin(w) / (2.0 * alpha), 0.3, 1e-12);

    // Near Nyquist the low-pass Q shrinks by (f / 0.50001 fs)^8.
    BiquadFilter lp(44100.0, kBiquadLowPass, 20000.0, 0.7, 0.0);
    const double w2 = 2.0 * kPi * 20000.0 / 44100.0;
    const double alpha2 = (1.0 - lp.a2) / (1.0 + lp.a2);
    const double expectedQ = 0.7 * (1.0 - std::pow(20000.0 / (0.50001 * 44100.0), 8.0));
    EXPECT_NEAR(std::sin(w2) / (2.0 * alpha2), expectedQ, 1e-9);
}

TEST(BiquadFilter, StepResponsesSettle)
{
    BiquadFilter lp(44100.0, kBiquadLowPass, 5.0, 0.5, 0.0);
    EXPECT_NEAR(settle(lp, 1.0, 200000), 1.0, 1e-9);
    BiquadFilter hp(44100.0, kBiquadHighPass, 40.0, 0.3, 0.0);
    EXPECT_NEAR(settle(hp, 1.0, 200000), 0.0, 1e-12);
}

TEST(BiquadFilter, ResponsesMatchTheirAnalyticShapes)
{
    const double fs = 48000.0;
    // Cookbook sections at f0: low-pass and high-pass give Q, band-pass 1, notch 0, all-pass 1.
    BiquadFilter lp(fs, kBiquadLowPass, 1000.0, 2.0, 0.0);
    EXPECT_NEAR(magnitude(lp, 1000.0), 2.0, 1e-6);
    EXPECT_NEAR(magnitude(lp, 0.0), 1.0, 1e-12);
    BiquadFilter hp(fs, kBiquadHighPass, 1000.0, 2.0, 0.0);
    EXPECT_NEAR(magnitude(hp, 1000.0), 2.0, 1e-6);
    EXPECT_NEAR(magnitude(hp, fs / 2.0), 1.0, 1e-9);
    BiquadFilter bp(fs, kBiquadBandPass, 1000.0, 2.0, 0.0);
    EXPECT_NEAR(magnitude(bp, 1000.0), 1.0, 1e-9);
    EXPECT_NEAR(magnitude(bp, 0.0), 0.0, 1e-12);
    BiquadFilter notch(fs, kBiquadNotch, 1000.0, 2.0, 0.0);
    EXPECT_NEAR(magnitude(notch, 1000.0), 0.0, 1e-9);
    EXPECT_NEAR(magnitude(notch, 0.0), 1.0, 1e-12);
    BiquadFilter ap(fs, kBiquadAllPass, 1000.0, 2.0, 0.0);
    for (double hz : {0.0, 300.0, 1000.0, 9000.0})
        EXPECT_NEAR(magnitude(ap, hz), 1.0, 1e-9) << hz;

    // Gain types: +12 dB is a linear 3.981 at f0 (peaking), at DC (low shelf), at Nyquist (high shelf).
    const double A2 = std::pow(10.0, 12.0 / 20.0);
    BiquadFilter peak(fs, kBiquadPeaking, 1000.0, 1.0, 12.0);
    EXPECT_NEAR(magnitude(peak, 1000.0), A2, 1e-6);
    EXPECT_NEAR(magnitude(peak, 0.0), 1.0, 1e-9);
    BiquadFilter low(fs, kBiquadLowShelf, 1000.0, 0.707, 12.0);
    EXPECT_NEAR(magnitude(low, 0.0), A2, 1e-9);
    EXPECT_NEAR(magnitude(low, fs / 2.0), 1.0, 1e-9);
    BiquadFilter high(fs, kBiquadHighShelf, 1000.0, 0.707, 12.0);
    EXPECT_NEAR(magnitude(high, fs / 2.0), A2, 1e-9);
    EXPECT_NEAR(magnitude(high, 0.0), 1.0, 1e-9);
}

TEST(BiquadFilter, OnePoleAndUnknownTypesKeepUnitCoefficients)
{
    BiquadFilter p(48000.0, kBiquadOnePoleMean, 480.0, 1.0, 0.0);
    EXPECT_EQ(p.b0, 1.0);
    EXPECT_EQ(p.a2, 1.0);
    EXPECT_NEAR(p.onePoleCoefficient, std::pow(0.005, 0.01), 1e-15);
    EXPECT_NEAR(p.onePoleMean, (std::pow(0.005, 0.01) + 1.0) / 2.0, 1e-15);
    BiquadFilter u(48000.0, 42, 480.0, 1.0, 0.0);
    EXPECT_EQ(u.a1, 1.0);
    EXPECT_EQ(u.b1, 1.0);
}

TEST(BiquadFilter, HeldFourStepsEqualFourSingleSteps)
{
    BiquadFilter a(44100.0, kBiquadLowPass, 100.0, 0.1, 0.0);
    BiquadFilter b = a;
    for (double x : {0.3, 0.9, -0.2, 0.0})
    {
        const double held = a.processHeld4(x);
        double single = 0.0;
        for (int i = 0; i < 4; ++i)
            single = b.process(x);
        EXPECT_EQ(held, single);
    }
    a.clear();
    EXPECT_EQ(a.process(0.0), 0.0);
}

TEST(BiquadFilter, DecayNeverReachesSubnormalNumbers)
{
    for (double hz : {2.0, 40.0, 5000.0})
    {
        BiquadFilter lp(44100.0, kBiquadLowPass, hz, 0.5, 0.0);
        lp.process(1.0);
        size_t subnormal = 0;
        for (int i = 0; i < 1000000; ++i)
            subnormal += std::fpclassify(lp.process(0.0)) == FP_SUBNORMAL;
        EXPECT_EQ(subnormal, 0u) << hz;
        EXPECT_LT(std::fabs(lp.y1), 1e-30) << hz;
    }
}

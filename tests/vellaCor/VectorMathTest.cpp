// The array forms of the valve (the one this processor takes, and the one for processors without
// AVX2) against the one-value curve: every sign pattern, every length of the part that does not
// fill a vector, NaN and both zeros.
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorVectorMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace
{
// Within a few ulps: the array form may use a vector library whose atan and tanh differ from the
// C library's in the last bits.
void expectClose(double got, double expected, const char* what, int i)
{
    if (std::isnan(expected))
    {
        EXPECT_TRUE(std::isnan(got)) << what << " at " << i;
        return;
    }
    EXPECT_NEAR(got, expected, 2e-15 * std::fabs(expected) + 1e-300) << what << " at " << i;
    EXPECT_EQ(std::signbit(got), std::signbit(expected)) << what << " at " << i;
}
} // namespace

class Valve : public testing::TestWithParam<void (*)(double*, int, double, double)>
{
};

TEST_P(Valve, MatchesTheCurveOnEveryPatternAndLength)
{
    const auto valve = GetParam();
    const double a = 0.37, b = 2.9;
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> value(-3.0, 3.0);
    for (int n = 0; n <= 141; ++n) // past two pieces of 64, with every remainder of 4
    {
        std::vector<double> y(static_cast<size_t>(n));
        for (double& v : y)
            v = value(rng);
        if (n > 5)
        {
            y[1] = 0.0, y[2] = -0.0, y[3] = std::numeric_limits<double>::quiet_NaN(), y[5] = 1e-300;
        }
        std::vector<double> expected(y.size());
        for (size_t i = 0; i < y.size(); ++i)
            expected[i] = vellaCorEffect::valveTransfer(y[i], a, b);
        valve(y.data(), n, a, b);
        for (int i = 0; i < n; ++i)
            expectClose(y[size_t(i)], expected[size_t(i)], "random", i);
    }

    // All sixteen sign patterns of one vector, then each again in every position of a piece.
    for (int mask = 0; mask < 16; ++mask)
    {
        std::vector<double> y(67);
        for (size_t i = 0; i < y.size(); ++i)
            y[i] = ((mask >> (i % 4)) & 1 ? 1.0 : -1.0) * (0.1 + 0.01 * double(i));
        std::vector<double> expected(y.size());
        for (size_t i = 0; i < y.size(); ++i)
            expected[i] = vellaCorEffect::valveTransfer(y[i], a, b);
        valve(y.data(), int(y.size()), a, b);
        for (size_t i = 0; i < y.size(); ++i)
            expectClose(y[i], expected[i], "pattern", int(i));
    }
}

INSTANTIATE_TEST_SUITE_P(VectorMath, Valve, testing::Values(&vellaCorVectorMath::valve, &vellaCorVectorMath::valveBaseline));

// The host parameters' plain values: the LV2 ports' scales, steps, defaults and clamping.
#include "QORLIB/format/dpf/Qor_DPF_Parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace Qor_DPF;

TEST(DpfParameters, PlainAndNormalisedValuesMeetOnStepsAndWithinRanges)
{
    // Ratio has 7 steps: 0.5 normalised is step 3 (trunc(6·0.5 + 0.5)), and back 0.5.
    EXPECT_EQ(plainValue(1, 0.5), 3.0f);
    EXPECT_DOUBLE_EQ(normalisedValue(1, 3.0f), 0.5);
    EXPECT_EQ(plainValue(1, 0.58), 3.0f);     // 3.48 → 3
    EXPECT_EQ(plainValue(1, 0.59), 4.0f);     // 3.54 → 4
    EXPECT_DOUBLE_EQ(normalisedValue(1, 3.6f), 4.0 / 6.0);
    EXPECT_EQ(plainValue(0, 0.74), 1.0f);     // process: 3 steps, 1.48 → 1
    EXPECT_FLOAT_EQ(plainValue(5, 0.15), 4.5f); // output: 0..30 dB
    EXPECT_FLOAT_EQ(plainValue(3, 0.37), 3.7f); // time: 0..10, continuous
    EXPECT_EQ(plainValue(5, 2.0), 30.0f);
    EXPECT_EQ(plainValue(5, -1.0), 0.0f);
    EXPECT_DOUBLE_EQ(normalisedValue(5, 60.0f), 1.0);
    EXPECT_DOUBLE_EQ(normalisedValue(4, NAN), hostParameter(4).defaultValue / 10.0);
    EXPECT_EQ(hostIndexOf(6), 5);   // output
    EXPECT_EQ(hostIndexOf(13), 8);  // the meter
    EXPECT_EQ(hostIndexOf(1), -1);  // not a host parameter
    EXPECT_EQ(hostIndexOf(-1), -1); // the bypass has no table index
}

TEST(DpfParameters, TheMeterInDecibels)
{
    EXPECT_DOUBLE_EQ(gainReductionDb(0.0), 0.0);
    EXPECT_NEAR(gainReductionDb(0.5), -6.0206, 1e-4);
    EXPECT_NEAR(gainReductionDb(0.9), -20.0, 1e-9);
    EXPECT_EQ(gainReductionDb(1.0), -60.0);
    EXPECT_EQ(gainReductionDb(NAN), -60.0);
}

TEST(DpfParameters, TextsNeverOverrunTheHostsBuffer)
{
    char text[4] = {'x', 'x', 'x', 'x'};
    ASSERT_TRUE(valueText(5, 30.0, text, sizeof text));
    EXPECT_EQ(std::string(text), "30.");
    char one[1] = {'x'};
    ASSERT_TRUE(valueText(1, 6.0, one, 1));
    EXPECT_EQ(one[0], '\0');
    EXPECT_FALSE(valueText(9, 0.0, text, sizeof text));
    EXPECT_FALSE(valueText(0, 0.0, nullptr, 4));
    double v = 0;
    EXPECT_FALSE(textValue(0, nullptr, v));
    EXPECT_TRUE(textValue(0, "2", v));
    EXPECT_EQ(v, 2.0);
    EXPECT_TRUE(textValue(0, "Clear", v));
    EXPECT_EQ(v, 1.0);
    EXPECT_TRUE(textValue(6, "+3", v));
    EXPECT_EQ(v, 6.0);
    EXPECT_TRUE(textValue(7, "On", v));
    EXPECT_EQ(v, 1.0);
    EXPECT_FALSE(textValue(7, "maybe", v));
}

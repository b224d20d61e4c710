#include "vellaCor/vellaCorParameters.h"
#include <limits>

#include <gtest/gtest.h>

using namespace vellaCorParameters;

TEST(ParameterTable, SteppedDisplaysRoundHalfUp)
{
    EXPECT_EQ(getParameterDisplay(kProcess, 0.25), "Clear");
    EXPECT_EQ(getParameterDisplay(kProcess, 0.2499), "Off");
    EXPECT_EQ(getParameterDisplay(kProcess, 0.75), "Valve");
    EXPECT_EQ(getParameterDisplay(kRatio, 1.0 / 12.0), "1.5:1");
    EXPECT_EQ(getParameterDisplay(kAttackRatio, 1.0 / 12.0), "x0.4");
    EXPECT_EQ(getParameterDisplay(kValveLevel, 1.0 / 12.0), "-2");
    EXPECT_EQ(getParameterDisplay(kRatio, 1.0), "10:1");
    EXPECT_EQ(getParameterDisplay(kAttackRatio, 1.0), "x4");
    EXPECT_EQ(getParameterDisplay(kValveLevel, 1.0), "+3");
    EXPECT_EQ(getParameterDisplay(kAttackRatio, 0.5), "x1");
}

TEST(ParameterTable, OutOfRangeValuesNeverIndexPastTheTexts)
{
    EXPECT_EQ(getParameterDisplay(kRatio, 7.0), "10:1");
    EXPECT_EQ(getParameterDisplay(kRatio, -3.0), "1.2:1");
    EXPECT_EQ(getParameterDisplay(kProcess, std::numeric_limits<double>::quiet_NaN()), "Off");
    EXPECT_EQ(getParameterDisplay(kGainReduction, std::numeric_limits<double>::quiet_NaN()), "-oo");
}

TEST(ParameterTable, NumberDisplays)
{
    EXPECT_EQ(getParameterDisplay(kOutput, 0.15), "4.50");
    EXPECT_EQ(getParameterDisplay(kTime, 0.5), "5.00");
    EXPECT_EQ(getParameterDisplay(kCompression, 0.5), "5.00");
    EXPECT_EQ(getParameterDisplay(kCompression, 1.0 / 40.0), "0.25");
    EXPECT_EQ(getParameterDisplay(kOutput, 1.0), "30.00");
    EXPECT_EQ(getParameterDisplay(kTime, 0.0), "0.00");
    EXPECT_EQ(getParameterDisplay(kGainReduction, 0.0), "-oo");
    EXPECT_EQ(getParameterDisplay(kGainReduction, 0.00009), "-oo");
    EXPECT_EQ(getParameterDisplay(kGainReduction, 0.5), "-6.02");
    EXPECT_EQ(getParameterDisplay(kGainReduction, 1.0), "0.00");
    EXPECT_EQ(getParameterDisplay(1, 0.5), "");
    EXPECT_EQ(getParameterDisplay(20, 0.5), "");
}

TEST(ParameterTable, NamesFlagsDefaults)
{
    EXPECT_EQ(getParameterName(1), " ");
    EXPECT_EQ(getParameterName(8), " ");
    EXPECT_EQ(getParameterName(20), " ");
    EXPECT_EQ(getParameterName(13), "Gain Reduction");
    EXPECT_EQ(getParameterFlags(13), 2u);
    EXPECT_EQ(getParameterFlags(1), 0u);
    EXPECT_EQ(getParameterFlags(40), 0u);
    for (uint32_t i : {0u, 2u, 3u, 4u, 5u, 6u, 7u})
        EXPECT_EQ(getParameterFlags(i), 9u) << i;
    EXPECT_EQ(getParameterDefault(0), 1.0);
    EXPECT_EQ(getParameterDefault(6), 0.15);
    EXPECT_EQ(getParameterDefault(13), 0.0);
    EXPECT_EQ(getParameterDefault(28), 0.5);
    EXPECT_EQ(getParameterStepCount(kTime), 100);
    EXPECT_EQ(getParameterStepCount(kOutput), 300);
    EXPECT_EQ(getParameterStepCount(kRatio), 0);
    EXPECT_EQ(getParameterRange(kTime), 10);
    EXPECT_EQ(getParameterRange(kCompression), 10);
    EXPECT_EQ(getParameterRange(kOutput), 30);
    EXPECT_EQ(getParameterRange(kProcess), 0);
}

TEST(ParameterTable, DerivedTables)
{
    const Tables& t = tables();
    EXPECT_EQ(t.identifiers[0], "0: Process");
    EXPECT_EQ(t.identifiers[1], "1:  ");
    EXPECT_EQ(t.identifiers[13], "13: Gain Reduction");
    EXPECT_EQ(t.identifiers[28], "28:  ");
    EXPECT_EQ(findParameterIdentifier("4: Time"), 4);
    EXPECT_EQ(findParameterIdentifier("4:Time"), -1);
    EXPECT_EQ(findParameterIdentifier("13: Gain Reduction"), 13);
    const uint8_t push[12] = {1, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(t.pushToProcessor[i], push[i]) << i;
    EXPECT_EQ(t.meters[0], 13);
    EXPECT_EQ(t.meters[1], -1);
}

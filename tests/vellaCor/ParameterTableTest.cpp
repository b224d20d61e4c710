#include "vellaCor/vellaCorParameters.h"
#include <cmath>
#include <limits>
#include <string>
#include <vector>

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

// The value a parameter takes is the step its display shows: k·x whole, the text unchanged.
TEST(ParameterTable, OnStepValuesAreTheStepsTheDisplaysShow)
{
    EXPECT_EQ(getParameterOnStep(kProcess, 0.25), 0.5);
    EXPECT_EQ(getParameterOnStep(kProcess, 0.2499), 0.0);
    EXPECT_EQ(getParameterOnStep(kProcess, 0.75), 1.0);
    EXPECT_EQ(getParameterOnStep(kRatio, 0.6667), 4.0 / 6.0);        // the bank's rounded step 4
    EXPECT_EQ(getParameterOnStep(kAttackRatio, 4.5 / 7.0), 4.0 / 6.0); // an old notch of 1/7
    EXPECT_EQ(getParameterOnStep(kValveLevel, 1.0 / 12.0), 1.0 / 6.0);
    EXPECT_EQ(getParameterOnStep(kRatio, 7.0), 1.0);
    EXPECT_EQ(getParameterOnStep(kRatio, std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_EQ(getParameterOnStep(kTime, 0.123), 0.123) << "continuous values stay";
    EXPECT_EQ(getParameterOnStep(kOutput, 1.5), 1.0);
    for (uint32_t index : {uint32_t(kProcess), uint32_t(kRatio), uint32_t(kAttackRatio), uint32_t(kValveLevel)})
        for (int i = 0; i <= 1000; ++i)
        {
            const double x = i / 1000.0;
            const double v = getParameterOnStep(index, x);
            EXPECT_EQ(getParameterDisplay(index, v), getParameterDisplay(index, x)) << index << " " << x;
            const double k = index == kProcess ? 2.0 : 6.0;
            EXPECT_EQ(v * k, std::round(v * k)) << index << " " << x;
        }
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

// Values a hair either side of every half step: a display that truncates instead of rounding
// shows the lower text on both sides.
TEST(ParameterTable, EveryHalfStepRoundsUp)
{
    const auto hundredths = [](int h)
    { return std::to_string(h / 100) + "." + char('0' + h / 10 % 10) + char('0' + h % 10); };
    struct Number
    {
        uint32_t index;
        int steps, hundredthsPerStep;
    };
    for (const Number n : {Number{kTime, 20, 50}, Number{kCompression, 40, 25}, Number{kOutput, 60, 50}})
        for (int k = 0; k < n.steps; ++k)
        {
            const double half = (k + 0.5) / n.steps;
            const int below = k * n.hundredthsPerStep, above = below + n.hundredthsPerStep;
            EXPECT_EQ(getParameterDisplay(n.index, half - 1e-9), hundredths(below)) << n.index;
            EXPECT_EQ(getParameterDisplay(n.index, half + 1e-9), hundredths(above)) << n.index;
        }
    const std::vector<std::pair<uint32_t, std::vector<std::string>>> texts = {
        {kProcess, {"Off", "Clear", "Valve"}},
        {kRatio, {"1.2:1", "1.5:1", "2:1", "3:1", "4:1", "6:1", "10:1"}},
        {kAttackRatio, {"x0.25", "x0.4", "x0.6", "x1", "x1.6", "x2.5", "x4"}},
        {kValveLevel, {"-3", "-2", "-1", "0", "+1", "+2", "+3"}}};
    for (const auto& [index, list] : texts)
    {
        const int steps = int(list.size()) - 1;
        EXPECT_EQ(getParameterDisplay(index, 0.0), list[0]);
        for (int k = 0; k < steps; ++k)
        {
            EXPECT_EQ(getParameterDisplay(index, (k + 0.5) / steps - 1e-9), list[size_t(k)]) << index;
            EXPECT_EQ(getParameterDisplay(index, (k + 0.5) / steps + 1e-9), list[size_t(k) + 1]) << index;
        }
    }
    // "Gain Reduction": 20·log10 of the value rounded to two decimals; "-oo" below 0.0001.
    const auto reduction = [](double dB)
    { return getParameterDisplay(kGainReduction, std::pow(10.0, dB / 20.0)); };
    EXPECT_EQ(reduction(-6.0249), "-6.02");
    EXPECT_EQ(reduction(-6.0251), "-6.03");
    EXPECT_EQ(reduction(-0.0049), "-0.00");
    EXPECT_EQ(reduction(-0.0051), "-0.01");
    EXPECT_EQ(reduction(-79.9951), "-80.00");
    EXPECT_EQ(getParameterDisplay(kGainReduction, 0.0001), "-80.00");
    EXPECT_EQ(getParameterDisplay(kGainReduction, 0.0000999), "-oo");
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

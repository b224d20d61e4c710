#include "tools/CliError.h"
#include "tools/SettingsParser.h"
#include "vellaCor/vellaCorParameters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vellaCorParameters;

TEST(SettingsParser, EveryStepTextGivesItsStep)
{
    // The texts as users read them on the panel, each to the step trunc(k·x + 0.5) = its place.
    const std::vector<std::pair<uint32_t, std::vector<std::string>>> texts = {
        {kProcess, {"Off", "Clear", "Valve"}},
        {kRatio, {"1.2:1", "1.5:1", "2:1", "3:1", "4:1", "6:1", "10:1"}},
        {kAttackRatio, {"x0.25", "x0.4", "x0.6", "x1", "x1.6", "x2.5", "x4"}},
        {kValveLevel, {"-3", "-2", "-1", "0", "+1", "+2", "+3"}}};
    for (const auto& [index, list] : texts)
    {
        const int k = int(list.size()) - 1;
        for (int step = 0; step <= k; ++step)
        {
            const std::string& text = list[size_t(step)];
            const double v = parseParameterValue(index, text);
            EXPECT_GE(v, 0.0) << text;
            EXPECT_LE(v, 1.0) << text;
            EXPECT_EQ(int(k * v + 0.5), step) << text;
        }
    }
    // Case and surrounding blanks do not matter.
    EXPECT_EQ(parseParameterValue(kProcess, " VALVE "), 1.0);
    EXPECT_EQ(parseParameterValue(kAttackRatio, "X0.25"), 0.0);
    EXPECT_EQ(parseParameterValue(kProcess, "off"), 0.0);
}

TEST(SettingsParser, NumbersInDisplayUnits)
{
    EXPECT_DOUBLE_EQ(parseParameterValue(kTime, "2.5"), 0.25);
    EXPECT_EQ(getParameterDisplay(kTime, parseParameterValue(kTime, "2.5")), "2.50");
    EXPECT_EQ(getParameterDisplay(kCompression, parseParameterValue(kCompression, "7.75")), "7.75");
    EXPECT_EQ(getParameterDisplay(kOutput, parseParameterValue(kOutput, "13")), "13.00");
    EXPECT_EQ(parseParameterValue(kOutput, "0"), 0.0);
    EXPECT_EQ(parseParameterValue(kTime, "10"), 1.0);
    for (const char* bad : {"11", "-1", "abc", "", "5x", "nan", "inf"})
        EXPECT_THROW(parseParameterValue(kTime, bad), CliError) << bad;
    EXPECT_THROW(parseParameterValue(kOutput, "30.5"), CliError);
    EXPECT_THROW(parseParameterValue(kRatio, "3"), CliError);
    EXPECT_THROW(parseParameterValue(kValveLevel, "4"), CliError);
}

TEST(SettingsParser, PresetsAndAssignments)
{
    RenderSettings s = defaultSettings();
    EXPECT_EQ(s.presetName, "Default");
    EXPECT_EQ(s.values[0], 1.0);
    EXPECT_EQ(s.values[6], 0.15);

    applyFactoryPreset(s, "vox");
    EXPECT_EQ(s.presetName, "Vox");
    EXPECT_EQ(getParameterDisplay(kProcess, s.values[0]), "Clear");
    applyFactoryPreset(s, "11");
    EXPECT_EQ(s.presetName, "Hats Smasher");
    applyFactoryPreset(s, "42");
    EXPECT_EQ(s.presetName, "Init");
    for (const char* bad : {"43", "-1", "1.5", "No Such Preset"})
        EXPECT_THROW(applyFactoryPreset(s, bad), CliError) << bad;

    applyAssignment(s, "ratio=6:1");
    applyAssignment(s, "Output = 6");
    EXPECT_EQ(getParameterDisplay(kRatio, s.values[2]), "6:1");
    EXPECT_EQ(getParameterDisplay(kOutput, s.values[6]), "6.00");
    for (const char* bad : {"Ratio", "Loudness=3", "=3", "Ratio=7:1"})
        EXPECT_THROW(applyAssignment(s, bad), CliError) << bad;
    EXPECT_EQ(describeSettings(defaultSettings()),
              "Valve, 3:1, x1, Time 5.00, Compression 5.00, Output 4.50 dB, Valve 0");
}

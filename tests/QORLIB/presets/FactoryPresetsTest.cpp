#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
using vellaCorFactoryPresets::getFactoryPreset;

struct Expected
{
    const char* name;
    const char* category;
    // Display texts of Process, Ratio, AttackRatio, Time, Compression, Output, ValveLevel.
    const char* shown[7];
};

// The bank as users read it in the editor: names, categories and what each control shows.
const Expected kBank[33] = {
    {"Default", "", {"Valve", "3:1", "x1", "5.00", "5.00", "4.50", "0"}},
    {"CompressLite1", "Special", {"Valve", "1.2:1", "x1", "5.00", "5.00", "4.50", "0"}},
    {"CompressLite2", "Special", {"Valve", "1.5:1", "x1", "5.00", "5.00", "4.50", "0"}},
    {"CompressMed1", "Special", {"Valve", "2:1", "x1", "5.00", "5.00", "4.50", "0"}},
    {"CompressMed2", "Special", {"Valve", "3:1", "x1", "5.00", "5.00", "4.50", "0"}},
    {"CompressHeavy1", "Special", {"Valve", "4:1", "x1", "5.00", "5.00", "4.50", "0"}},
    {"CompressHeavy2", "Special", {"Valve", "6:1", "x1", "5.00", "5.00", "4.50", "0"}},
    {"SlowLim", "Special", {"Valve", "10:1", "x1", "5.00", "5.00", "3.00", "0"}},
    {"FastLim", "Special", {"Valve", "10:1", "x1", "2.00", "5.00", "3.00", "0"}},
    {"Leveller", "Special", {"Valve", "3:1", "x1", "8.00", "7.50", "9.00", "0"}},
    {"Glue Things Together", "Bus Compression", {"Valve", "3:1", "x1", "6.00", "3.75", "4.00", "0"}},
    {"Hats Smasher", "Drums", {"Valve", "10:1", "x1", "0.00", "7.75", "13.00", "0"}},
    {"Kick Fattener", "Drums", {"Valve", "6:1", "x1", "1.50", "5.00", "7.50", "0"}},
    {"Make it Pump", "Special", {"Valve", "2:1", "x1", "0.00", "6.50", "5.50", "0"}},
    {"Snare Puncher", "Drums", {"Valve", "6:1", "x1", "3.50", "3.75", "5.00", "0"}},
    {"Kick", "Drums", {"Valve", "3:1", "x1", "3.00", "5.00", "4.00", "0"}},
    {"Pop Rock Vocal", "Vocals", {"Valve", "3:1", "x1", "8.00", "7.50", "9.00", "0"}},
    {"Room Ambience", "Special", {"Valve", "4:1", "x1", "7.00", "2.75", "5.00", "0"}},
    {"Snare Bottom", "Drums", {"Valve", "3:1", "x1", "3.50", "2.25", "4.00", "0"}},
    {"Snare Piccolo Top 1", "Drums", {"Valve", "4:1", "x1", "6.00", "3.00", "5.50", "0"}},
    {"Snare Piccolo Top 2", "Drums", {"Valve", "3:1", "x1", "4.00", "5.00", "6.50", "0"}},
    {"Stereo Drums Over", "Drums", {"Valve", "4:1", "x1", "5.50", "6.00", "7.00", "0"}},
    {"Stereo Toms", "Drums", {"Valve", "4:1", "x1", "5.00", "6.25", "7.00", "0"}},
    {"Vox", "Vocals", {"Clear", "3:1", "x1", "3.50", "5.00", "3.00", "0"}},
    {"Gently Weeps", "Special", {"Valve", "1.2:1", "x1", "1.00", "3.25", "0.00", "0"}},
    {"Punchy Kick", "Drums", {"Valve", "10:1", "x1", "4.50", "5.75", "4.50", "0"}},
    {"Kick 2", "Drums", {"Valve", "6:1", "x1", "3.50", "4.00", "4.00", "0"}},
    {"Loud Bass", "Special", {"Valve", "3:1", "x1", "1.50", "6.75", "6.00", "0"}},
    {"4k", "Special", {"Valve", "2:1", "x1", "3.50", "5.75", "2.50", "0"}},
    {"Bus Comp 1", "Bus Compression", {"Clear", "2:1", "x1", "4.00", "5.25", "3.50", "0"}},
    {"Bus Comp 2", "Bus Compression", {"Clear", "6:1", "x1", "2.50", "5.25", "2.50", "0"}},
    {"Bus Comp 3", "Bus Compression", {"Valve", "2:1", "x1", "1.50", "6.25", "2.50", "0"}},
    {"Default", "", {"Valve", "3:1", "x1", "5.00", "5.00", "4.50", "0"}},
};

const uint32_t kShownIndices[7] = {0, 2, 3, 4, 5, 6, 7};

TEST(FactoryPresets, EveryNamedPresetShowsItsSettings)
{
    for (int32_t n = 0; n < 33; ++n)
    {
        SCOPED_TRACE(n);
        char name[24];
        std::memset(name, 'x', sizeof name);
        double values[12];
        for (double& v : values)
            v = 0.77; // the caller's values, which indices 1 and 8..11 must keep
        QorFactoryPresetInfo info;
        getFactoryPreset(n, values, name, &info);
        ASSERT_NE(std::memchr(name, 0, sizeof name), nullptr);
        EXPECT_STREQ(name, kBank[n].name);
        EXPECT_EQ(std::string(vellaCorFactoryPresets::categoryName(info.category)), kBank[n].category);
        EXPECT_EQ(info.designer, 0);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(vellaCorParameters::getParameterDisplay(kShownIndices[i], values[kShownIndices[i]]),
                      kBank[n].shown[i])
                << vellaCorParameters::getParameterName(kShownIndices[i]);
        for (int i : {1, 8, 9, 10, 11})
            EXPECT_EQ(values[i], 0.77) << i;
    }
}

TEST(FactoryPresets, DefaultTwiceAndShareValuesWhereTheBankSaysSo)
{
    double a[12] = {}, b[12] = {}, c[12] = {};
    getFactoryPreset(0, a, nullptr, nullptr);
    getFactoryPreset(32, b, nullptr, nullptr);
    getFactoryPreset(4, c, nullptr, nullptr);
    for (int i = 0; i < 12; ++i)
    {
        EXPECT_EQ(a[i], b[i]);
        EXPECT_EQ(a[i], c[i]);
    }
    EXPECT_EQ(a[0], 1.0);
    EXPECT_EQ(a[6], 0.15);
    QorFactoryPresetInfo info{99, 5};
    getFactoryPreset(32, nullptr, nullptr, &info);
    EXPECT_EQ(info.category, 99); // no category: left as the caller set it
    EXPECT_EQ(info.designer, 0);
}

TEST(FactoryPresets, InitFromThirtyThreeOnAndForNumbersOutsideTheBank)
{
    const double defaults[12] = {1.0, 0.5, 0.5, 0.5, 0.5, 0.5, 0.15, 0.5, 0.5, 0.5, 0.5, 0.5};
    for (int32_t n : {33, 42, 1000, -1})
    {
        SCOPED_TRACE(n);
        char name[24] = "previous";
        double values[12];
        for (double& v : values)
            v = 0.01;
        QorFactoryPresetInfo info{2, 7};
        getFactoryPreset(n, values, name, &info);
        EXPECT_STREQ(name, "Init");
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(values[i], defaults[i]) << i;
        EXPECT_EQ(info.category, 2);
        EXPECT_EQ(info.designer, 0);
    }
}

TEST(FactoryPresets, NullPartsAreNotProduced)
{
    QorFactoryPresetInfo info{-1, 3};
    getFactoryPreset(23, nullptr, nullptr, &info); // "Vox"
    EXPECT_EQ(info.category, 2);
    EXPECT_EQ(info.designer, 0);
    char name[24] = {};
    getFactoryPreset(10, nullptr, name, nullptr);
    EXPECT_STREQ(name, "Glue Things Together");
    EXPECT_EQ(vellaCorFactoryPresets::presetProduct().factoryCount, 43);
}
} // namespace

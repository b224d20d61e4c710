// Process, Ratio, AttackRatio and ValveLevel only have steps. Whatever the preset system is given
// (the factory bank's rounded 0.6667, an old session's 0.642857, a host's 0.55), it holds and
// hands out the step itself: step / k, with k = 2 for Process and 6 for the others.
#include "QORLIB/presets/QorGlobalSettings.h"
#include "tests/QORLIB/platform/ScopedEnv.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"
#include "tests/QORLIB/presets/RecordingHost.h"
#include "tests/support/TempDir.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qortest;

namespace
{
struct Stepped
{
    int32_t index;
    double k;
};
constexpr Stepped kStepped[] = {{0, 2.0}, {2, 6.0}, {3, 6.0}, {7, 6.0}};

// On its step: k·x a whole number (to float precision, as records hold float32).
::testing::AssertionResult onStep(double value, double k)
{
    const double scaled = value * k;
    if (std::fabs(scaled - std::round(scaled)) <= 1e-6) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << value << " is " << scaled << " steps";
}

struct SteppedValues : testing::Test
{
    UserHome home;
    TempDir store;
    ScopedEnv settings{"QOR_SETTINGS_DIR", store.path().string()};
    RecordingHost host;
    QorPresetManager manager{&host, vellaCorFactoryPresets::presetProduct()};
};
} // namespace

TEST_F(SteppedValues, EveryFactoryPresetAppliesTheStepItsTableMeans)
{
    // "All" lists factory presets 0..41 in order.
    for (int32_t n = 0; n < 42; ++n)
    {
        double raw[12] = {};
        vellaCorFactoryPresets::getFactoryPreset(n, raw, nullptr, nullptr);
        host.calls.clear();
        manager.selectPreset(n);
        for (const Stepped& s : kStepped)
        {
            const double intended = std::round(s.k * raw[s.index]) / s.k;
            EXPECT_DOUBLE_EQ(host.last(s.index), intended) << "preset " << n << " parameter " << s.index;
            EXPECT_TRUE(onStep(manager.current().values[s.index], s.k)) << "preset " << n;
            EXPECT_EQ(manager.current().values[s.index], float(intended));
        }
        EXPECT_FALSE(manager.modified());
    }
    // The 43rd, not listed, and the clipboard's first record come from the same bank.
    for (const Stepped& s : kStepped)
    {
        EXPECT_TRUE(onStep(manager.factoryRecord(42).values[s.index], s.k));
        EXPECT_TRUE(onStep(manager.clipboardRecord().values[s.index], s.k));
    }
}

TEST_F(SteppedValues, AHostValueBetweenStepsIsKeptAsItsStepAndContinuousOnesAsTheyAre)
{
    manager.parameterChanged(2, 0.55);     // Ratio step 3
    manager.parameterChanged(3, 0.642857); // an old wheel's 4.5 / 7: step 4
    manager.parameterChanged(0, 0.2499);   // Process "Off"
    manager.parameterChanged(4, 0.55);     // Time stays
    EXPECT_EQ(manager.current().values[2], 0.5f);
    EXPECT_EQ(manager.current().values[3], float(4.0 / 6.0));
    EXPECT_EQ(manager.current().values[0], 0.0f);
    EXPECT_EQ(manager.current().values[4], 0.55f);
    // So an undo step of the edit, and a preset saved from it, hold the step too.
    host.calls.clear();
    manager.undo();
    manager.redo();
    EXPECT_DOUBLE_EQ(host.last(2), 0.5);
    EXPECT_DOUBLE_EQ(host.last(3), 4.0 / 6.0);
}

TEST_F(SteppedValues, PastedAndRestoredRecordsArriveOnTheirSteps)
{
    // A clipboard value written by an older version: Ratio 0.6667, AttackRatio 3.857 / 6.
    const float old[7] = {1.0f, 0.6667f, 0.642857f, 0.3f, 0.4f, 0.2f, 0.785714f};
    QorGlobalSettings::setClipboardPreset(onePreset("old clip", old));
    host.calls.clear();
    manager.pasteFromClipboard();
    EXPECT_DOUBLE_EQ(host.last(2), 4.0 / 6.0);
    EXPECT_DOUBLE_EQ(host.last(3), 4.0 / 6.0);
    EXPECT_DOUBLE_EQ(host.last(7), 5.0 / 6.0);
    EXPECT_NEAR(host.last(4), 0.3, 1e-7) << "continuous values untouched";
    EXPECT_TRUE(onStep(manager.clipboardRecord().values[2], 6.0));
    EXPECT_FALSE(manager.modified());

    // Setups restored from a session (LV2 state) with the same values.
    QorSetupSlot a = manager.setupA();
    a.current.values[2] = a.reference.values[2] = 0.6667f;
    a.current.values[7] = a.reference.values[7] = 0.785714f;
    manager.restoreSetups(a, a, true);
    EXPECT_EQ(manager.setupA().current.values[2], float(4.0 / 6.0));
    EXPECT_EQ(manager.setupB().reference.values[7], float(5.0 / 6.0));
    EXPECT_FALSE(manager.modified());

    // A host chunk whose selected program holds them.
    std::vector<uint8_t> chunk = header(0x22, 8, 168 + 7 * 32);
    programRecord(chunk, 0, "old chunk");
    const uint32_t indices[7] = {0, 2, 3, 4, 5, 6, 7};
    for (int i = 0; i < 7; ++i)
        valueRecord(chunk, 0, indices[i], old[i]);
    ASSERT_TRUE(manager.restoreBank(chunk.data(), chunk.size()));
    EXPECT_EQ(manager.current().values[2], float(4.0 / 6.0));
    EXPECT_EQ(manager.current().values[3], float(4.0 / 6.0));
    EXPECT_EQ(manager.current().values[4], 0.3f);
}

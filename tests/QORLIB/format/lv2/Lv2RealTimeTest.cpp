#include "QORLIB/format/lv2/Qor_LV2_Plugin.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Lv2RealTime, RunAllocatesNothingEvenWhenPortsChange)
{
    Qor_LV2::Plugin plugin(48000.0, true);
    std::vector<float> controls(Qor_LV2::kNumControls + 1, 1.0f);
    float reduction = 0.0f, reductionDb = 1.0f;
    std::vector<float> inL(4096, 0.5f), inR(4096, -0.25f), outL(4096), outR(4096);
    for (uint32_t i = 0; i < controls.size(); ++i)
        plugin.connect(i, &controls[i]);
    plugin.connect(Qor_LV2::kGainReductionPort, &reduction);
    plugin.connect(Qor_LV2::gainReductionDbPort(true), &reductionDb);
    plugin.connect(Qor_LV2::kFirstAudioPort, inL.data());
    plugin.connect(Qor_LV2::kFirstAudioPort + 1, inR.data());
    plugin.connect(Qor_LV2::kFirstAudioPort + 2, outL.data());
    plugin.connect(Qor_LV2::kFirstAudioPort + 3, outR.data());
    plugin.activate();

    qortest::AllocationScope scope;
    for (int k = 0; k < 20; ++k)
    {
        controls[k % Qor_LV2::kNumControls] = float(k % 3);
        controls[Qor_LV2::kEnabledPort] = float(k % 2);
        plugin.run(4096);
        plugin.run(0);
    }
    EXPECT_EQ(scope.allocations(), 0u);
    EXPECT_GT(reduction, 0.0f);
    EXPECT_LT(reductionDb, 0.0f);
}

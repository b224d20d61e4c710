#pragma once

#include "QORLIB/format/lv2/Qor_LV2_Ports.h"
#include "QORLIB/presets/QorInstancePresetHost.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "vellaCor/vellaCorEffect.h"

#include <lv2/urid/urid.h>

#include <array>
#include <cstdint>
#include <memory>

namespace Qor_LV2
{

// One LV2 instance around the processor. run() is on the host's audio thread: it only compares
// port values, calls the processor and writes the meter.
class Plugin
{
public:
    Plugin(double sampleRate, bool stereo);

    void connect(uint32_t port, void* data);
    void activate();                   // main thread
    void run(uint32_t frames);         // audio thread

    bool stereo() const { return stereo_; }
    // Main thread: the instance's preset manager and its host interface (editors attach to it).
    QorPresetManager& presets() { return *presets_; }
    QorInstancePresetHost& presetHost() { return presetHost_; }
    // The host's URID map (null when it offers none: no session state then).
    void setMap(LV2_URID_Map* map) { map_ = map; }
    LV2_URID_Map* map() const { return map_; }

private:
    vellaCorEffect effect_;
    bool stereo_;
    std::array<const float*, kNumControls + 1> controls_{}; // the seven controls and "enabled"
    std::array<float, kNumControls> lastValues_{};
    bool first_ = true;
    float* gainReduction_ = nullptr;
    float* gainReductionDb_ = nullptr;
    std::array<float*, 4> audio_{}; // in, [in_r,] out, [out_r]
    QorInstancePresetHost presetHost_;
    LV2_URID_Map* map_ = nullptr;
    std::unique_ptr<QorPresetManager> presets_;
};

} // namespace Qor_LV2

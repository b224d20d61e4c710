#include "QORLIB/format/lv2/Qor_LV2_Plugin.h"

#include "vellaCor/vellaCorFactoryPresets.h"

#include <cmath>

namespace Qor_LV2
{

Plugin::Plugin(double sampleRate, bool stereo)
    : stereo_(stereo), presets_(std::make_unique<QorPresetManager>(&presetHost_, vellaCorFactoryPresets::presetProduct()))
{
    presetHost_.setManager(presets_.get());
    effect_.setSampleRate(sampleRate);
    controlPort(0); // builds the port table here, not on the audio thread
}

void Plugin::connect(uint32_t port, void* data)
{
    if (port <= kEnabledPort)
        controls_[port] = static_cast<const float*>(data);
    else if (port == kGainReductionPort)
        gainReduction_ = static_cast<float*>(data);
    else if (port == gainReductionDbPort(stereo_))
        gainReductionDb_ = static_cast<float*>(data);
    else if (port - kFirstAudioPort < (stereo_ ? 4u : 2u))
        audio_[port - kFirstAudioPort] = static_cast<float*>(data);
}

void Plugin::activate()
{
    effect_.reset();
    first_ = true;
}

void Plugin::run(uint32_t frames)
{
    for (uint32_t i = 0; i < kNumControls; ++i)
    {
        if (controls_[i] == nullptr)
            continue;
        const float value = *controls_[i];
        // Only changed values reach the processor (NaN never equals itself, so it is re-checked).
        if (first_ || !(value == lastValues_[i]))
        {
            const ControlPort& port = controlPort(i);
            effect_.setParameter(uint32_t(port.parameter), normalisedValue(port, value));
            lastValues_[i] = value;
        }
    }
    if (first_)
        effect_.reset(); // the settings a host made before the first run apply at once, without a glide
    first_ = false;

    const float enabled = controls_[kEnabledPort] != nullptr ? *controls_[kEnabledPort] : 1.0f;
    float* in[2] = {audio_[0], stereo_ ? audio_[1] : nullptr};
    float* out[2] = {stereo_ ? audio_[2] : audio_[1], stereo_ ? audio_[3] : nullptr};
    const bool connected = in[0] != nullptr && out[0] != nullptr && (!stereo_ || (in[1] != nullptr && out[1] != nullptr));
    if (connected)
    {
        const int32_t n = frames > 0x7fffffffu ? 0x7fffffff : int32_t(frames);
        if (std::isnan(enabled) || enabled > 0.5f)
            effect_.process(in, out, n);
        else
            effect_.processBypassed(in, out, n);
    }
    double reduction = 0.0;
    effect_.getParameter(13, &reduction);
    if (gainReduction_ != nullptr)
        *gainReduction_ = float(reduction);
    if (gainReductionDb_ != nullptr)
        *gainReductionDb_ = gainReductionDb(reduction);
}

} // namespace Qor_LV2

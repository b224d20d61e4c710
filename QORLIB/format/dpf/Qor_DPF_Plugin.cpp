#include "QORLIB/format/dpf/Qor_DPF_Plugin.h"

#include "QORLIB/format/dpf/Qor_DPF_State.h"
#include "extra/Base64.hpp"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorIdentity.h"
#include "vellaCor/vellaCorParameters.h"

#include <cmath>
#include <cstring>

START_NAMESPACE_DISTRHO

namespace
{
constexpr const char* kStateKey = "presets";
}

QorPlugin::QorPlugin()
    : Plugin(Qor_DPF::kNumParameters, kNumPrograms, 1),
      presets_(std::make_unique<QorPresetManager>(&presetHost_, vellaCorFactoryPresets::presetProduct()))
{
    presetHost_.setManager(presets_.get());
    for (uint32_t i = 0; i < Qor_DPF::kNumParameters; ++i)
        values_[i].store(Qor_DPF::hostParameter(i).defaultValue, std::memory_order_relaxed);
    // The factory presets as plain values, so that a program change on the audio thread only copies.
    for (uint32_t n = 0; n < kNumPrograms; ++n)
    {
        double v[12];
        for (uint32_t i = 0; i < 12; ++i)
            v[i] = vellaCorParameters::getParameterDefault(i);
        vellaCorFactoryPresets::getFactoryPreset(int32_t(n), v, nullptr, nullptr);
        for (uint32_t i = 0; i < Qor_DPF::kNumControls; ++i)
            programs_[n][i] = Qor_DPF::plainValue(i, v[Qor_DPF::hostParameter(i).parameter]);
    }
    effect_.setSampleRate(getSampleRate());
}

const char* QorPlugin::getLabel() const { return QOR_DPF_STEREO ? "vellaCorStereo" : "vellaCorMono"; }
const char* QorPlugin::getDescription() const { return vellaCorIdentity::kProductDescription; }
const char* QorPlugin::getMaker() const { return vellaCorIdentity::kMakerName; }
const char* QorPlugin::getHomePage() const { return vellaCorIdentity::kMakerWebAddress; }
const char* QorPlugin::getLicense() const { return "Proprietary"; }
uint32_t QorPlugin::getVersion() const { return d_version(2, 2, 2); }
int64_t QorPlugin::getUniqueId() const { return QOR_DPF_STEREO ? d_cconst('Q', 'v', 'C', 's') : d_cconst('Q', 'v', 'C', 'm'); }

void QorPlugin::initAudioPort(bool input, uint32_t index, AudioPort& port)
{
    Plugin::initAudioPort(input, index, port);
    // The names the LV2 plug-in's ports have (JACK shows them as port names).
    static const char* const symbols[2][2][2] = {{{"out", "out"}, {"in", "in"}}, {{"out_l", "out_r"}, {"in_l", "in_r"}}};
    static const char* const names[2][2][2] = {{{"Out", "Out"}, {"In", "In"}}, {{"Out L", "Out R"}, {"In L", "In R"}}};
    const int stereo = DISTRHO_PLUGIN_NUM_INPUTS == 2 ? 1 : 0;
    port.groupId = stereo ? kPortGroupStereo : kPortGroupMono;
    port.symbol = symbols[stereo][input ? 1 : 0][index & 1];
    port.name = names[stereo][input ? 1 : 0][index & 1];
}

void QorPlugin::initParameter(uint32_t index, Parameter& parameter)
{
    const Qor_DPF::HostParameter& p = Qor_DPF::hostParameter(index);
    if (index == Qor_DPF::kBypass)
    {
        parameter.initDesignation(kParameterDesignationBypass);
        return;
    }
    parameter.name = p.name;
    parameter.symbol = p.symbol;
    parameter.unit = p.unit;
    parameter.ranges = ParameterRanges(p.defaultValue, p.minimum, p.maximum);
    if (index == Qor_DPF::kGainReduction)
    {
        parameter.hints = kParameterIsOutput;
        return;
    }
    parameter.hints = kParameterIsAutomatable;
    if (p.steps > 0)
    {
        parameter.hints |= kParameterIsInteger;
        auto* values = new ParameterEnumerationValue[size_t(p.steps) + 1];
        for (int32_t s = 0; s <= p.steps; ++s)
        {
            values[s].value = float(s);
            values[s].label = vellaCorParameters::getParameterStepText(uint32_t(p.parameter), s);
        }
        parameter.enumValues.count = uint32_t(p.steps) + 1;
        parameter.enumValues.restrictedMode = true;
        parameter.enumValues.values = values;
    }
}

void QorPlugin::initProgramName(uint32_t index, String& name)
{
    char text[32] = {};
    vellaCorFactoryPresets::getFactoryPreset(int32_t(index), nullptr, text, nullptr);
    name = text;
}

void QorPlugin::initState(uint32_t index, State& state)
{
    if (index != 0)
        return;
    state.key = kStateKey;
    state.label = "Presets";
    state.hints = kStateIsBase64Blob | kStateIsOnlyForDSP;
}

float QorPlugin::getParameterValue(uint32_t index) const
{
    return index < Qor_DPF::kNumParameters ? values_[index].load(std::memory_order_relaxed) : 0.0f;
}

void QorPlugin::setParameterValue(uint32_t index, float value)
{
    if (index >= Qor_DPF::kNumParameters || index == Qor_DPF::kGainReduction)
        return;
    // Stepped parameters only ever stand on a step, whatever a host sends.
    values_[index].store(Qor_DPF::plainValue(index, Qor_DPF::normalisedValue(index, value)), std::memory_order_relaxed);
}

void QorPlugin::loadProgram(uint32_t index)
{
    if (index >= kNumPrograms)
        return;
    for (uint32_t i = 0; i < Qor_DPF::kNumControls; ++i)
        values_[i].store(programs_[index][i], std::memory_order_relaxed);
}

String QorPlugin::getState(const char* key) const
{
    if (std::strcmp(key, kStateKey) != 0)
        return String();
    const std::vector<uint8_t> bytes = Qor_DPF::State::save(*presets_);
    return String::asBase64(bytes.data(), bytes.size());
}

void QorPlugin::setState(const char* key, const char* value)
{
    if (std::strcmp(key, kStateKey) != 0 || value == nullptr || value[0] == '\0')
        return;
    const std::vector<uint8_t> bytes = d_getChunkFromBase64String(value);
    Qor_DPF::State::restore(*presets_, bytes.data(), bytes.size());
}

void QorPlugin::activate()
{
    effect_.setSampleRate(getSampleRate());
    effect_.reset();
    first_ = true;
}

void QorPlugin::sampleRateChanged(double rate) { effect_.setSampleRate(rate); }

void QorPlugin::run(const float** inputs, float** outputs, uint32_t frames)
{
    for (uint32_t i = 0; i < Qor_DPF::kNumControls; ++i)
    {
        const float value = values_[i].load(std::memory_order_relaxed);
        if (first_ || value != applied_[i])
        {
            effect_.setParameter(uint32_t(Qor_DPF::hostParameter(i).parameter), Qor_DPF::normalisedValue(i, value));
            applied_[i] = value;
        }
    }
    if (first_)
        effect_.reset(); // the settings made before the first block apply at once, without a glide
    first_ = false;

    float* in[2] = {const_cast<float*>(inputs[0]), DISTRHO_PLUGIN_NUM_INPUTS == 2 ? const_cast<float*>(inputs[1]) : nullptr};
    float* out[2] = {outputs[0], DISTRHO_PLUGIN_NUM_OUTPUTS == 2 ? outputs[1] : nullptr};
    const int32_t n = frames > 0x7fffffffu ? 0x7fffffff : int32_t(frames);
    if (values_[Qor_DPF::kBypass].load(std::memory_order_relaxed) > 0.5f)
        effect_.processBypassed(in, out, n);
    else
        effect_.process(in, out, n);
    double reduction = 0.0;
    effect_.getParameter(int32_t(vellaCorParameters::kGainReduction), &reduction);
    values_[Qor_DPF::kGainReduction].store(float(reduction), std::memory_order_relaxed);
}

Plugin* createPlugin() { return new QorPlugin(); }

END_NAMESPACE_DISTRHO

#pragma once

#include "DistrhoPlugin.hpp"

#include "QORLIB/format/dpf/Qor_DPF_Parameters.h"
#include "QORLIB/presets/QorInstancePresetHost.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "vellaCor/vellaCorEffect.h"

#include <array>
#include <atomic>
#include <memory>

START_NAMESPACE_DISTRHO

// One DPF instance around the processor. Host values arrive on the audio thread (in the host's
// events) or on the main thread (outside processing), so they are kept in atomics; run() only
// compares them, calls the processor and writes the meter. The preset manager is the main
// thread's: state, programs and the editor reach it there.
class QorPlugin : public Plugin
{
public:
    static constexpr uint32_t kNumPrograms = 32; // the factory presets up to the second "Default"

    QorPlugin();

    // Main thread: the instance's preset manager and its host interface (the editor attaches).
    QorPresetManager& presets() { return *presets_; }
    QorInstancePresetHost& presetHost() { return presetHost_; }

protected:
    const char* getLabel() const override;
    const char* getDescription() const override;
    const char* getMaker() const override;
    const char* getHomePage() const override;
    const char* getLicense() const override;
    uint32_t getVersion() const override;
    int64_t getUniqueId() const override;

    void initAudioPort(bool input, uint32_t index, AudioPort& port) override;
    void initParameter(uint32_t index, Parameter& parameter) override;
    void initProgramName(uint32_t index, String& name) override;
    void initState(uint32_t index, State& state) override;

    float getParameterValue(uint32_t index) const override;
    void setParameterValue(uint32_t index, float value) override;
    void loadProgram(uint32_t index) override;
    String getState(const char* key) const override;
    void setState(const char* key, const char* value) override;

    void activate() override;
    void run(const float** inputs, float** outputs, uint32_t frames) override;
    void sampleRateChanged(double rate) override;

private:
    vellaCorEffect effect_;
    std::array<std::atomic<float>, Qor_DPF::kNumParameters> values_{};
    std::array<float, Qor_DPF::kNumControls> applied_{};
    bool first_ = true;
    std::array<std::array<float, Qor_DPF::kNumControls>, kNumPrograms> programs_{};
    QorInstancePresetHost presetHost_;
    std::unique_ptr<QorPresetManager> presets_;
};

END_NAMESPACE_DISTRHO

#pragma once

#include "QORLIB/QorBaseAudioProcessor.h"
#include "vellaCor/BiquadFilter.h"

#include <cstdint>

// The audio processor: a feed-forward opto compressor with an optional valve stage.
// Everything here runs on the host's processing thread and never allocates.
class vellaCorEffect : public QorBaseAudioProcessor
{
public:
    static constexpr int kParameterListMessage = 9;
    static constexpr int32_t kMaxMessageSize = 1024;

    // The per-sample kernel that process() and processDouble() run. Both give the same output;
    // the reference one is the plain sample-by-sample form that tests and benchmarks compare with.
    enum class Kernel
    {
        Fast,
        Reference
    };

    vellaCorEffect();
    ~vellaCorEffect() override = default;

    void process(float** inputs, float** outputs, int32_t sampleCount) override;
    void processDouble(double** inputs, double** outputs, int32_t sampleCount) override;
    void processBypassed(float** inputs, float** outputs, int32_t sampleCount) override;
    void processDoubleBypassed(double** inputs, double** outputs, int32_t sampleCount) override;
    int32_t getLatency() override { return 0; }
    int32_t reservedQuery() override { return 0; }
    bool setSampleRate(double rate) override;
    void reset() override;
    bool booleanQuery1() override { return true; }
    bool booleanQuery2() override { return true; }
    void setParameter(uint32_t index, double value) override;
    bool getParameter(int32_t index, double* value) override;
    bool receiveMessage(const void* data, int32_t size) override;

    void setKernel(Kernel kernel) { kernel_ = kernel; }
    Kernel kernel() const { return kernel_; }

    // Read-only views for tools and tests.
    double sampleRate() const { return sampleRate_; }
    int32_t mode() const { return mode_; }
    int32_t ratioIndex() const { return ratioIndex_; }
    int32_t attackIndex() const { return attackIndex_; }
    double timeScale() const { return timeScale_; }
    double driveTarget() const { return driveTarget_; }
    double outputTarget() const { return outputTarget_; }
    double valveInputScale() const { return valveInputScale_; }
    double valveOutputScale() const { return valveOutputScale_; }
    double opticalEnvelope() const { return opticalEnvelope_; }
    double meterGain() const { return meterGain_; }
    const BiquadFilter& meterFilter() const { return meter_; }
    const BiquadFilter& opticalFilter() const { return optical_; }
    const BiquadFilter& fastEnvelopeFilter() const { return fastEnvelope_; }
    const BiquadFilter& slowEnvelopeFilter() const { return slowEnvelope_; }
    const BiquadFilter& sidechainFilter(int channel) const { return channel == 0 ? sidechainLeft_ : sidechainRight_; }

    // Valve headroom by ratio index, and the valve scales by "ValveLevel" step.
    static double valveHeadroom(int32_t ratioIndex);
    static double valveInputScaleForStep(int32_t step);
    static double valveOutputScaleForStep(int32_t step);
    // Attack steps of the optical filter per sample, 32-bit and 64-bit paths.
    static int32_t attackSteps32(int32_t attackIndex);
    static int32_t attackSteps64(int32_t attackIndex);
    // The gain curve g(s) of a ratio index (0..6), NaN replaced by 0.
    static double gainCurve(int32_t ratioIndex, double s);
    // The asymmetric valve curve with drive a and make-up b: a = valve input scale / headroom,
    // b = headroom × valve output scale.
    static double valveTransfer(double y, double a, double b);

private:
    // The kernels work on the processor's state directly; both leave it exactly as the other would.
    friend class vellaCorReferenceKernel;
    friend class vellaCorFastKernel;

    template <typename Sample> void dispatch(Sample** inputs, Sample** outputs, int32_t n, int32_t (*steps)(int32_t));
    template <typename Sample> void bypass(Sample** inputs, Sample** outputs, int32_t n);

    void clearState();
    void prepareFilters();

    double sampleRate_ = 44100.0;
    int32_t mode_ = 2;
    double driveTarget_ = 1.0;
    double drive_ = 1.0;
    double inverseDrive_ = 1.0;
    int32_t ratioIndex_ = 3;
    double outputTarget_ = 1.0;
    double outputGain_ = 1.0;
    double valveInputScale_ = 1.0;
    double valveOutputScale_ = 1.0;
    uint32_t noise_[3] = {592, 153768, 1526};
    BiquadFilter fastEnvelope_;
    BiquadFilter slowEnvelope_;
    BiquadFilter optical_;
    BiquadFilter meter_;
    BiquadFilter sidechainLeft_;
    BiquadFilter sidechainRight_;
    int32_t attackIndex_ = 3;
    double opticalEnvelope_ = 0.0001;
    double meterGain_ = 1.0;
    double timeScale_ = 0.05;
    Kernel kernel_ = Kernel::Fast;
};

#include "vellaCor/vellaCorEffect.h"

#include "vellaCor/vellaCorFastKernel.h"
#include "vellaCor/vellaCorKernelSteps.h"
#include "vellaCor/vellaCorParameters.h"
#include "vellaCor/vellaCorReferenceKernel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
constexpr double kMeterFrequency = 7.0 / 3.0; // Hz

double detectorRate(double rate) { return (rate < 20000.0 || rate > 200000.0) ? 44100.0 : rate; }

uint32_t readLittleEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

double readLittleEndianDouble(const uint8_t* p)
{
    const uint64_t bits = uint64_t(readLittleEndian32(p)) | uint64_t(readLittleEndian32(p + 4)) << 32;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
} // namespace

vellaCorEffect::vellaCorEffect()
    : fastEnvelope_(44100.0, kBiquadLowPass, 5.0, 0.5, 0.0), slowEnvelope_(44100.0, kBiquadLowPass, 20.0, 0.5, 0.0),
      optical_(44100.0, kBiquadLowPass, 1.0, 0.1, 0.0), meter_(44100.0, kBiquadLowPass, 2.0, 0.583, 0.0),
      sidechainLeft_(44100.0, kBiquadHighPass, 40.0, 0.3, 0.0), sidechainRight_(44100.0, kBiquadHighPass, 40.0, 0.3, 0.0)
{
    // The meter starts settled at unity, so it reads no reduction from the first block.
    meterGain_ = 1.0;
    meter_.clear();
    for (int i = 0; i < 44100; ++i)
        meter_.process(1.0);
    valveInputScale_ = 1.0;
    valveOutputScale_ = 1.0;
    for (uint32_t i = 0; i < vellaCorParameters::kNumParameters; ++i)
        setParameter(i, vellaCorParameters::getParameterDefault(i));
    reset();
    setSampleRate(sampleRate_);
}

bool vellaCorEffect::setSampleRate(double rate)
{
    if (std::isnan(rate))
        return false;
    const double before = sampleRate_;
    sampleRate_ = std::clamp(rate, 22050.0, 192000.0);
    if (sampleRate_ != before)
        prepareFilters();
    return sampleRate_ == rate;
}

void vellaCorEffect::reset()
{
    clearState();
    prepareFilters();
}

void vellaCorEffect::clearState()
{
    drive_ = driveTarget_;
    outputGain_ = outputTarget_;
    for (BiquadFilter* f : {&sidechainLeft_, &sidechainRight_, &optical_, &fastEnvelope_, &slowEnvelope_})
    {
        f->design();
        f->clear();
    }
    meterGain_ = 1.0;
    opticalEnvelope_ = 0.0001;
}

void vellaCorEffect::prepareFilters()
{
    meter_.sampleRate = sampleRate_;
    meter_.frequency = kMeterFrequency;
    meter_.design();

    const double rate = detectorRate(sampleRate_);
    optical_.sampleRate = rate;
    fastEnvelope_.sampleRate = rate;
    fastEnvelope_.frequency = 5.0;
    fastEnvelope_.q = 0.5;
    slowEnvelope_.sampleRate = rate;
    slowEnvelope_.frequency = 2.0;
    slowEnvelope_.q = 0.5;
    sidechainLeft_.sampleRate = rate;
    sidechainRight_.sampleRate = rate;
    for (BiquadFilter* f : {&optical_, &fastEnvelope_, &slowEnvelope_, &sidechainLeft_, &sidechainRight_})
    {
        f->design();
        f->clear();
    }
    drive_ = driveTarget_;
    outputGain_ = outputTarget_;
}

void vellaCorEffect::setParameter(uint32_t index, double x)
{
    using vellaCorParameters::truncToInt;
    if (std::isnan(x))
        return; // a NaN carries no setting; keep the current one
    const float f = static_cast<float>(x);
    switch (index)
    {
    case vellaCorParameters::kProcess: mode_ = truncToInt(2.0 * f + 0.5); break;
    case vellaCorParameters::kRatio: ratioIndex_ = truncToInt(6.0 * f + 0.5); break;
    case vellaCorParameters::kAttackRatio: attackIndex_ = truncToInt(6.0 * x + 0.5); break;
    case vellaCorParameters::kTime: timeScale_ = std::pow(100.0, double(f)) * 0.005; break;
    case vellaCorParameters::kCompression:
    {
        const int32_t k = std::clamp(truncToInt(40.0 * std::pow(double(f), 0.7071) + 0.5), 0, 40);
        driveTarget_ = std::pow(1024.0, k / 40.0) * 0.125;
        break;
    }
    case vellaCorParameters::kOutput:
    {
        const int32_t m = std::clamp(truncToInt(60.0 * f + 0.5), 0, 60);
        outputTarget_ = std::pow(31.622776601683793, m / 60.0);
        break;
    }
    case vellaCorParameters::kValveLevel:
    {
        const float p = f * 6.0f;
        const int32_t v = truncToInt(p + 0.5);
        valveInputScale_ = valveInputScaleForStep(v);
        valveOutputScale_ = valveOutputScaleForStep(v);
        break;
    }
    default: break;
    }
}

bool vellaCorEffect::getParameter(int32_t index, double* value)
{
    if (index != vellaCorParameters::kGainReduction || value == nullptr)
        return false;
    const double reduction = 1.0 - meterGain_;
    *value = reduction > 0.0 ? std::min(reduction, 1.0) : 0.0;
    return true;
}

bool vellaCorEffect::receiveMessage(const void* data, int32_t size)
{
    if (data == nullptr || size < 10)
        return true;
    const auto* bytes = static_cast<const uint8_t*>(data);
    const int32_t length = std::min(size, kMaxMessageSize);
    if (bytes[8] != kParameterListMessage)
        return true;
    const int count = static_cast<int8_t>(bytes[9]);
    // Only records lying wholly inside the received bytes are applied: the count may overstate.
    for (int i = 0; i < count && 10 + 16 * (i + 1) <= length; ++i)
    {
        const uint8_t* record = bytes + 10 + 16 * i;
        setParameter(readLittleEndian32(record), readLittleEndianDouble(record + 8));
    }
    return true;
}

double vellaCorEffect::valveHeadroom(int32_t ratioIndex)
{
    static const double kHeadroom[7] = {22.4, 22.4 * 0.7071, 8.0, 5.6568, 4.0, 2.82, 2.8};
    return kHeadroom[std::clamp(ratioIndex, 0, 6)];
}

double vellaCorEffect::valveInputScaleForStep(int32_t step)
{
    static const double kInput[7] = {1.0 / 7.0, 1.0 / 3.0, 1.0 / 1.8, 1.0, 1.4141, 2.0, 2.5};
    return (step >= 0 && step <= 6) ? kInput[step] : 1.0;
}

double vellaCorEffect::valveOutputScaleForStep(int32_t step)
{
    static const double kOutput[7] = {7.0, 3.0, 1.8, 1.0, 0.7071, 0.5, 0.4};
    return (step >= 0 && step <= 6) ? kOutput[step] : 1.0;
}

int32_t vellaCorEffect::attackSteps32(int32_t attackIndex)
{
    static const int32_t kSteps[7] = {56, 33, 20, 10, 5, 3, 1};
    return (attackIndex >= 0 && attackIndex <= 6) ? kSteps[attackIndex] : 10;
}

int32_t vellaCorEffect::attackSteps64(int32_t attackIndex)
{
    static const int32_t kSteps[7] = {40, 25, 16, 10, 6, 4, 2};
    return (attackIndex >= 0 && attackIndex <= 6) ? kSteps[attackIndex] : 10;
}

double vellaCorEffect::gainCurve(int32_t ratioIndex, double s)
{
    using namespace vellaCorKernelSteps;
    const double atan12s = curveUsesAtan(ratioIndex) ? std::atan(1.2 * s) : 0.0;
    const double tanhS = curveUsesTanh(ratioIndex) ? std::tanh(s) : 0.0;
    const double g = curveGain(ratioIndex, s, atan12s, tanhS);
    return std::isnan(g) ? 0.0 : g;
}

double vellaCorEffect::valveTransfer(double y, double a, double b)
{
    if (y >= 0.0)
        return std::atan(a * y) * b;
    return -std::tanh(-a * y * 0.64) * b / 0.64;
}

template <typename Sample>
void vellaCorEffect::dispatch(Sample** inputs, Sample** outputs, int32_t n, int32_t (*steps)(int32_t))
{
    if (inputs == nullptr || outputs == nullptr || inputs[0] == nullptr || outputs[0] == nullptr)
        return;
    if (mode_ == 0)
    {
        bypass(inputs, outputs, n);
        return;
    }
    ratioIndex_ = std::clamp(ratioIndex_, 0, 6);
    if (n < 1)
        return;
    Sample* outL = outputs[0];
    Sample* outR = outputs[1] != nullptr ? outputs[1] : outL;
    const int32_t attackSteps = steps(attackIndex_);
    if (kernel_ == Kernel::Reference)
    {
        if (inputs[1] != nullptr)
            vellaCorReferenceKernel::runStereo<Sample>(*this, inputs[0], inputs[1], outL, outR, n, attackSteps);
        else
            vellaCorReferenceKernel::runMono<Sample>(*this, inputs[0], outL, outR, n, attackSteps);
        return;
    }
    vellaCorFastKernel fast; // scratch on the stack: the processor must stay small and owns no heap memory
    if (inputs[1] != nullptr)
        fast.runStereo<Sample>(*this, inputs[0], inputs[1], outL, outR, n, attackSteps);
    else
        fast.runMono<Sample>(*this, inputs[0], outL, outR, n, attackSteps);
}

template <typename Sample> void vellaCorEffect::bypass(Sample** inputs, Sample** outputs, int32_t n)
{
    if (inputs == nullptr || outputs == nullptr || inputs[0] == nullptr || outputs[0] == nullptr || n < 1)
        return;
    const Sample* inL = inputs[0];
    const Sample* inR = inputs[1] != nullptr ? inputs[1] : inL;
    Sample* outL = outputs[0];
    Sample* outR = outputs[1] != nullptr ? outputs[1] : outL;
    for (int32_t i = 0; i < n; ++i)
    {
        const Sample left = inL[i];
        const Sample right = inR[i];
        outL[i] = left;
        outR[i] = right;
        meterGain_ = meter_.process(1.0);
    }
}

void vellaCorEffect::process(float** inputs, float** outputs, int32_t n) { dispatch(inputs, outputs, n, attackSteps32); }

void vellaCorEffect::processDouble(double** inputs, double** outputs, int32_t n)
{
    dispatch(inputs, outputs, n, attackSteps64);
}

void vellaCorEffect::processBypassed(float** inputs, float** outputs, int32_t n) { bypass(inputs, outputs, n); }

void vellaCorEffect::processDoubleBypassed(double** inputs, double** outputs, int32_t n)
{
    bypass(inputs, outputs, n);
}

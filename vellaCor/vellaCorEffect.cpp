#include "vellaCor/vellaCorEffect.h"

#include "vellaCor/vellaCorParameters.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
constexpr double kTwoPi = 6.283185307179586;
constexpr double kMeterFrequency = 7.0 / 3.0; // Hz
// Samples beyond this (160 dB over full scale) are clamped: larger ones would overflow the
// detector's power and poison the filter histories for good.
constexpr double kMaxInputMagnitude = 1e8;

double detectorRate(double rate) { return (rate < 20000.0 || rate > 200000.0) ? 44100.0 : rate; }

// NaN and infinite samples carry no level; they count as silence.
double readSample(double v)
{
    if (!std::isfinite(v))
        return 0.0;
    return std::clamp(v, -kMaxInputMagnitude, kMaxInputMagnitude);
}

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
    double g;
    switch (ratioIndex)
    {
    case 0: g = 0.6 / (1.0 + 0.4 * s) + 0.4; break;
    case 1: g = 0.8 / (1.0 + 0.4 * s) + 0.2; break;
    case 2:
        g = ((std::atan(1.2 * s) * 0.92 / 1.2 + 0.08 * s) * 0.3 + (0.9 * s / (0.35 * s + 1.0) + 0.1 * s) * 0.7) / s;
        break;
    case 3:
        g = ((std::atan(1.2 * s) * 0.95 / 1.2 + 0.05 * s) * 0.65 + (0.95 * s / (0.35 * s + 1.0) + 0.05 * s) * 0.35) /
            s;
        break;
    case 4: g = (std::atan(1.2 * s) * 0.97 / 1.2 + 0.03 * s) / s; break;
    case 5:
        g = ((std::atan(1.2 * s) * 0.982 / 1.2 + 0.018 * s) * 0.5 + (std::tanh(s) * 0.982 + 0.018 * s) * 0.5) / s;
        break;
    default: g = (std::tanh(s) * 0.99 + 0.01 * s) / s; break;
    }
    return std::isnan(g) ? 0.0 : g;
}

void vellaCorEffect::smoothGains()
{
    drive_ = (driveTarget_ - drive_) * 0.001 + drive_;
    drive_ = (drive_ + 1e-14) - 1e-14;
    inverseDrive_ = 1.0 / drive_;
    outputGain_ = (outputTarget_ - outputGain_) * 0.001 + outputGain_;
    outputGain_ = (outputGain_ + 1e-14) - 1e-14;
}

double vellaCorEffect::nextNoise()
{
    uint32_t& s1 = noise_[0];
    uint32_t& s2 = noise_[1];
    uint32_t& s3 = noise_[2];
    s1 = ((((s1 >> 9) ^ s1) >> 6) & 0x1FFFu) ^ (s1 << 13);
    s2 = ((((s2 >> 2) ^ s2) >> 7) & 0xFFFFFu) ^ (s2 << 20);
    s3 = ((((s3 >> 6) ^ s3) >> 8) & 0x1FFFFu) ^ (s3 << 17);
    return double(s1 ^ s2 ^ s3) * 2.3283064365e-10;
}

// The optical cell: a programme-dependent low-pass over the detector signal that rises in
// attackSteps steps per sample and falls in one. Returns the gain of the selected curve.
double vellaCorEffect::opticalGain(double d, int32_t attackSteps)
{
    const double fast = fastEnvelope_.process(d);
    const double slow = slowEnvelope_.process(d);
    const double r = std::max(1e-6, fast) * 0.2 / std::max(1e-6, slow);
    const double fc = (4.0 * r / (r + 1.0) + 0.1) * 0.7 / timeScale_;
    optical_.frequency = fc;
    const double fd = fc < 0.001 ? 0.001 : std::min(0.499 * optical_.sampleRate, fc);

    // Plain low-pass design without the Q correction, every sample.
    const double w = kTwoPi * fd / optical_.sampleRate;
    const double c = std::cos(w);
    const double alpha = std::sin(w) / (2.0 * optical_.q);
    const double a0 = 1.0 + alpha;
    optical_.a1 = -2.0 * c / a0;
    optical_.a2 = (1.0 - alpha) / a0;
    optical_.b0 = (1.0 - c) / 2.0 / a0;
    optical_.b1 = (1.0 - c) / a0;
    optical_.b2 = optical_.b0;

    double envelope;
    if (d > opticalEnvelope_)
    {
        envelope = 0.0;
        for (int32_t i = 0; i < attackSteps / 4; ++i)
            envelope = optical_.processHeld4(d);
        for (int32_t i = 0; i < attackSteps % 4; ++i)
            envelope = optical_.process(d);
    }
    else
    {
        envelope = optical_.process(d);
    }
    if (std::isnan(envelope))
        envelope = 0.0;
    opticalEnvelope_ = std::max(envelope, 0.001);
    return gainCurve(ratioIndex_, std::sqrt(opticalEnvelope_));
}

double vellaCorEffect::valveTransfer(double y, double a, double b)
{
    if (y >= 0.0)
        return std::atan(a * y) * b;
    return -std::tanh(-a * y * 0.64) * b / 0.64;
}

template <typename Sample>
void vellaCorEffect::runMono(const Sample* in, Sample* outL, Sample* outR, int32_t n, int32_t attackSteps)
{
    const double headroom = valveHeadroom(ratioIndex_);
    const double a = (1.0 / headroom) * valveInputScale_;
    const double b = headroom * valveOutputScale_;
    for (int32_t i = 0; i < n; ++i)
    {
        smoothGains();
        const double input = readSample(double(in[i]));
        const double x = (2.0 * nextNoise() - 1.0) * 1e-10 + drive_ * input;
        const double d = std::fabs(sidechainLeft_.process(x));
        const double g = opticalGain(d, attackSteps);
        meterGain_ = meter_.process(g);
        double y = g * x;
        if (mode_ == 2)
            y = valveTransfer(y, a, b);
        const double out = y * inverseDrive_ * outputGain_;
        outL[i] = Sample(out);
        outR[i] = Sample(out);
    }
}

template <typename Sample>
void vellaCorEffect::runStereo(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR, int32_t n,
                               int32_t attackSteps)
{
    const double headroom = valveHeadroom(ratioIndex_);
    const double a = (1.0 / headroom) * valveInputScale_;
    const double b = headroom * valveOutputScale_;
    for (int32_t i = 0; i < n; ++i)
    {
        smoothGains();
        const double inputL = readSample(double(inL[i]));
        const double inputR = readSample(double(inR[i]));
        const double xL = (2.0 * nextNoise() - 1.0) * 1e-10 + drive_ * inputL;
        const double xR = (2.0 * nextNoise() - 1.0) * 1e-10 + drive_ * inputR;
        const double hL = sidechainLeft_.process(xL);
        const double hR = sidechainRight_.process(xR);
        const double d = 0.7071 * (hL * hL + hR * hR);
        const double g = opticalGain(d, attackSteps);
        meterGain_ = meter_.process(g);
        double yL = g * xL;
        double yR = g * xR;
        if (mode_ == 2)
        {
            yL = valveTransfer(yL, a, b);
            yR = valveTransfer(yR, a, b);
        }
        outL[i] = Sample(yL * inverseDrive_ * outputGain_);
        outR[i] = Sample(yR * inverseDrive_ * outputGain_);
    }
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
    if (inputs[1] != nullptr)
        runStereo(inputs[0], inputs[1], outL, outR, n, steps(attackIndex_));
    else
        runMono(inputs[0], outL, outR, n, steps(attackIndex_));
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

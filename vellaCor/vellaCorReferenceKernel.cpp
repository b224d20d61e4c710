#include "vellaCor/vellaCorReferenceKernel.h"

#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorKernelSteps.h"

#include <algorithm>
#include <cmath>

using namespace vellaCorKernelSteps;

namespace
{
constexpr double kTwoPi = 6.283185307179586;
}

void vellaCorReferenceKernel::smoothGains(vellaCorEffect& e)
{
    e.drive_ = smoothTowards(e.drive_, e.driveTarget_);
    e.inverseDrive_ = 1.0 / e.drive_;
    e.outputGain_ = smoothTowards(e.outputGain_, e.outputTarget_);
}

// The optical cell: a programme-dependent low-pass over the detector signal that rises in
// attackSteps steps per sample and falls in one. Returns the gain of the selected curve.
double vellaCorReferenceKernel::opticalGain(vellaCorEffect& e, double d, int32_t attackSteps)
{
    BiquadFilter& optical = e.optical_;
    const double fast = e.fastEnvelope_.process(d);
    const double slow = e.slowEnvelope_.process(d);
    const double fc = opticalCorner(fast, slow, e.timeScale_);
    optical.frequency = fc;
    const double fd = opticalDesignCorner(fc, optical.sampleRate);

    // Plain low-pass design without the Q correction, every sample.
    const double w = kTwoPi * fd / optical.sampleRate;
    const double c = std::cos(w);
    const double alpha = std::sin(w) / (2.0 * optical.q);
    const double a0 = 1.0 + alpha;
    optical.a1 = -2.0 * c / a0;
    optical.a2 = (1.0 - alpha) / a0;
    optical.b0 = (1.0 - c) / 2.0 / a0;
    optical.b1 = (1.0 - c) / a0;
    optical.b2 = optical.b0;

    double envelope;
    if (d > e.opticalEnvelope_)
    {
        envelope = 0.0;
        for (int32_t i = 0; i < attackSteps / 4; ++i)
            envelope = optical.processHeld4(d);
        for (int32_t i = 0; i < attackSteps % 4; ++i)
            envelope = optical.process(d);
    }
    else
    {
        envelope = optical.process(d);
    }
    if (std::isnan(envelope))
        envelope = 0.0;
    e.opticalEnvelope_ = std::max(envelope, kEnvelopeFloor);
    return vellaCorEffect::gainCurve(e.ratioIndex_, std::sqrt(e.opticalEnvelope_));
}

template <typename Sample>
void vellaCorReferenceKernel::runMono(vellaCorEffect& e, const Sample* in, Sample* outL, Sample* outR, int32_t n,
                                      int32_t attackSteps)
{
    const double headroom = vellaCorEffect::valveHeadroom(e.ratioIndex_);
    const double a = (1.0 / headroom) * e.valveInputScale_;
    const double b = headroom * e.valveOutputScale_;
    for (int32_t i = 0; i < n; ++i)
    {
        smoothGains(e);
        const double input = readSample(double(in[i]));
        const double x = driven(nextNoise(e.noise_), e.drive_, input);
        const double d = std::fabs(e.sidechainLeft_.process(x));
        const double g = opticalGain(e, d, attackSteps);
        e.meterGain_ = e.meter_.process(g);
        double y = g * x;
        if (e.mode_ == 2)
            y = vellaCorEffect::valveTransfer(y, a, b);
        const double out = y * e.inverseDrive_ * e.outputGain_;
        outL[i] = Sample(out);
        outR[i] = Sample(out);
    }
}

template <typename Sample>
void vellaCorReferenceKernel::runStereo(vellaCorEffect& e, const Sample* inL, const Sample* inR, Sample* outL,
                                        Sample* outR, int32_t n, int32_t attackSteps)
{
    const double headroom = vellaCorEffect::valveHeadroom(e.ratioIndex_);
    const double a = (1.0 / headroom) * e.valveInputScale_;
    const double b = headroom * e.valveOutputScale_;
    for (int32_t i = 0; i < n; ++i)
    {
        smoothGains(e);
        const double inputL = readSample(double(inL[i]));
        const double inputR = readSample(double(inR[i]));
        const double xL = driven(nextNoise(e.noise_), e.drive_, inputL);
        const double xR = driven(nextNoise(e.noise_), e.drive_, inputR);
        const double hL = e.sidechainLeft_.process(xL);
        const double hR = e.sidechainRight_.process(xR);
        const double d = kStereoPowerScale * (hL * hL + hR * hR);
        const double g = opticalGain(e, d, attackSteps);
        e.meterGain_ = e.meter_.process(g);
        double yL = g * xL;
        double yR = g * xR;
        if (e.mode_ == 2)
        {
            yL = vellaCorEffect::valveTransfer(yL, a, b);
            yR = vellaCorEffect::valveTransfer(yR, a, b);
        }
        outL[i] = Sample(yL * e.inverseDrive_ * e.outputGain_);
        outR[i] = Sample(yR * e.inverseDrive_ * e.outputGain_);
    }
}

template void vellaCorReferenceKernel::runMono<float>(vellaCorEffect&, const float*, float*, float*, int32_t, int32_t);
template void vellaCorReferenceKernel::runMono<double>(vellaCorEffect&, const double*, double*, double*, int32_t,
                                                       int32_t);
template void vellaCorReferenceKernel::runStereo<float>(vellaCorEffect&, const float*, const float*, float*, float*,
                                                        int32_t, int32_t);
template void vellaCorReferenceKernel::runStereo<double>(vellaCorEffect&, const double*, const double*, double*,
                                                         double*, int32_t, int32_t);

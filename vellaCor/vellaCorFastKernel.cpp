#include "vellaCor/vellaCorFastKernel.h"

#include "vellaCor/vellaCorBiquadPair.h"
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorKernelSteps.h"
#include "vellaCor/vellaCorVectorMath.h"

#include <algorithm>
#include <cmath>

using namespace vellaCorKernelSteps;

namespace
{
typedef double Pair __attribute__((vector_size(16)));

// Drive and output gain glide together, one per lane.
Pair smoothGains(Pair gains, Pair targets)
{
    const Pair v = (targets - gains) * kSmoothing + gains;
    return (v + kGainFlush) - kGainFlush;
}
} // namespace

template <typename Sample> void vellaCorFastKernel::drive(vellaCorEffect& e, const Sample* const* in, int channels, int n)
{
    // The smoothers and the dither generator are recursions of their own: a loop for them, then
    // the driven samples several at a time.
    Pair gains = {e.drive_, e.outputGain_};
    const Pair targets = {e.driveTarget_, e.outputTarget_};
    uint32_t noise[3] = {e.noise_[0], e.noise_[1], e.noise_[2]};
    for (int i = 0; i < n; ++i)
    {
        gains = smoothGains(gains, targets);
        drive_[i] = gains[0];
        output_[i] = gains[1];
        for (int c = 0; c < channels; ++c) // left first
            x_[c][i] = nextNoise(noise);
    }
    e.drive_ = gains[0];
    e.outputGain_ = gains[1];
    std::copy(noise, noise + 3, e.noise_);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < n; ++i)
            x_[c][i] = driven(x_[c][i], drive_[i], readSample(double(in[c][i])));
}

void vellaCorFastKernel::detectMono(vellaCorEffect& e, int n)
{
    BiquadFilter side = e.sidechainLeft_;
    vellaCorBiquadPair envelopes(e.fastEnvelope_, e.slowEnvelope_);
    double* d = optical_.detector();
    for (int i = 0; i < n; ++i)
    {
        d[i] = std::fabs(side.process(x_[0][i]));
        const Pair fs = envelopes.process(Pair{d[i], d[i]});
        fast_[i] = fs[0];
        slow_[i] = fs[1];
    }
    e.sidechainLeft_ = side;
    envelopes.store(e.fastEnvelope_, e.slowEnvelope_);
}

void vellaCorFastKernel::detectStereo(vellaCorEffect& e, int n)
{
    vellaCorBiquadPair sides(e.sidechainLeft_, e.sidechainRight_);
    vellaCorBiquadPair envelopes(e.fastEnvelope_, e.slowEnvelope_);
    double* d = optical_.detector();
    for (int i = 0; i < n; ++i)
    {
        const Pair h = sides.process(Pair{x_[0][i], x_[1][i]});
        d[i] = kStereoPowerScale * (h[0] * h[0] + h[1] * h[1]);
        const Pair fs = envelopes.process(Pair{d[i], d[i]});
        fast_[i] = fs[0];
        slow_[i] = fs[1];
    }
    sides.store(e.sidechainLeft_, e.sidechainRight_);
    envelopes.store(e.fastEnvelope_, e.slowEnvelope_);
}

template <int Ratio> void vellaCorFastKernel::curve(const double* s, int n)
{
    for (int i = 0; i < n; ++i)
    {
        const double g = curveGain(Ratio, s[i], atan_[i], tanh_[i]);
        gain_[i] = g == g ? g : 0.0;
    }
}

void vellaCorFastKernel::computeGain(vellaCorEffect& e, int n)
{
    const int32_t ratio = e.ratioIndex_;
    double* s = gain_; // √envelope first, the gain in its place below
    for (int i = 0; i < n; ++i)
    {
        s[i] = std::sqrt(envelope_[i]);
        atan_[i] = 1.2 * s[i];
        tanh_[i] = 0.0;
        inverse_[i] = 1.0 / drive_[i];
    }
    if (curveUsesAtan(ratio))
        vellaCorVectorMath::atan(atan_, atan_, n);
    if (curveUsesTanh(ratio))
        vellaCorVectorMath::tanh(s, tanh_, n);
    switch (ratio) // one loop per curve, so that each vectorises
    {
    case 0: curve<0>(s, n); break;
    case 1: curve<1>(s, n); break;
    case 2: curve<2>(s, n); break;
    case 3: curve<3>(s, n); break;
    case 4: curve<4>(s, n); break;
    case 5: curve<5>(s, n); break;
    default: curve<6>(s, n); break;
    }
    e.inverseDrive_ = inverse_[n - 1];

    BiquadFilter meter = e.meter_;
    for (int i = 0; i < n; ++i)
        meter.process(gain_[i]);
    e.meterGain_ = meter.y1;
    e.meter_ = meter;
}

void vellaCorFastKernel::applyValve(double* y, int n, double a, double b)
{
    // Each half of the curve runs over only the samples of its sign; both lists are written and
    // the one that the sign picks moves on, so there is no branch on the audio.
    int positives = 0, negatives = 0;
    for (int i = 0; i < n; ++i)
    {
        const double v = y[i];
        positive_[positives] = a * v;
        positiveAt_[positives] = i;
        negative_[negatives] = -a * v * 0.64;
        negativeAt_[negatives] = i;
        const int isNegative = !(v >= 0.0);
        positives += 1 - isNegative;
        negatives += isNegative;
    }
    vellaCorVectorMath::atan(positive_, positive_, positives);
    vellaCorVectorMath::tanh(negative_, negative_, negatives);
    for (int k = 0; k < positives; ++k)
        y[positiveAt_[k]] = positive_[k] * b;
    for (int k = 0; k < negatives; ++k)
        y[negativeAt_[k]] = -negative_[k] * b / 0.64;
}

void vellaCorFastKernel::shape(const vellaCorEffect& e, const double* x, double* y, int n)
{
    for (int i = 0; i < n; ++i)
        y[i] = gain_[i] * x[i];
    if (e.mode_ == 2)
    {
        const double headroom = vellaCorEffect::valveHeadroom(e.ratioIndex_);
        applyValve(y, n, (1.0 / headroom) * e.valveInputScale_, headroom * e.valveOutputScale_);
    }
    for (int i = 0; i < n; ++i)
        y[i] = y[i] * inverse_[i] * output_[i];
}

template <typename Sample>
void vellaCorFastKernel::runMono(vellaCorEffect& e, const Sample* in, Sample* outL, Sample* outR, int32_t n,
                                 int32_t attackSteps)
{
    for (int32_t pos = 0; pos < n; pos += kChunk)
    {
        const int m = int(std::min<int32_t>(kChunk, n - pos));
        const Sample* channel[1] = {in + pos};
        drive(e, channel, 1, m);
        detectMono(e, m);
        optical_.run(e.optical_, e.opticalEnvelope_, fast_, slow_, m, e.timeScale_, attackSteps, envelope_);
        computeGain(e, m);
        shape(e, x_[0], y_[0], m);
        for (int i = 0; i < m; ++i)
        {
            outL[pos + i] = Sample(y_[0][i]);
            outR[pos + i] = Sample(y_[0][i]);
        }
    }
}

template <typename Sample>
void vellaCorFastKernel::runStereo(vellaCorEffect& e, const Sample* inL, const Sample* inR, Sample* outL,
                                   Sample* outR, int32_t n, int32_t attackSteps)
{
    for (int32_t pos = 0; pos < n; pos += kChunk)
    {
        const int m = int(std::min<int32_t>(kChunk, n - pos));
        const Sample* channels[2] = {inL + pos, inR + pos};
        drive(e, channels, 2, m);
        detectStereo(e, m);
        optical_.run(e.optical_, e.opticalEnvelope_, fast_, slow_, m, e.timeScale_, attackSteps, envelope_);
        computeGain(e, m);
        shape(e, x_[0], y_[0], m);
        shape(e, x_[1], y_[1], m);
        for (int i = 0; i < m; ++i)
        {
            outL[pos + i] = Sample(y_[0][i]);
            outR[pos + i] = Sample(y_[1][i]);
        }
    }
}

template void vellaCorFastKernel::runMono<float>(vellaCorEffect&, const float*, float*, float*, int32_t, int32_t);
template void vellaCorFastKernel::runMono<double>(vellaCorEffect&, const double*, double*, double*, int32_t, int32_t);
template void vellaCorFastKernel::runStereo<float>(vellaCorEffect&, const float*, const float*, float*, float*,
                                                   int32_t, int32_t);
template void vellaCorFastKernel::runStereo<double>(vellaCorEffect&, const double*, const double*, double*, double*,
                                                    int32_t, int32_t);

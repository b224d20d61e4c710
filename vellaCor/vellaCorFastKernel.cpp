#include "vellaCor/vellaCorFastKernel.h"

#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorKernelSteps.h"
#include "vellaCor/vellaCorVectorMath.h"

#include <algorithm>
#include <bit>
#include <cmath>

using namespace vellaCorKernelSteps;

namespace
{
typedef double Pair __attribute__((vector_size(16)));

// Drive and output gain glide together, one per lane.
Pair smoothTowards(Pair gains, Pair targets)
{
    const Pair v = (targets - gains) * kSmoothing + gains;
    return (v + kGainFlush) - kGainFlush;
}

bool sameBits(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }
} // namespace

void vellaCorFastKernel::smoothGains(vellaCorEffect& e, int n)
{
    Pair gains = {e.drive_, e.outputGain_};
    const Pair targets = {e.driveTarget_, e.outputTarget_};
    int i = 0;
    for (; i < n; ++i)
    {
        const Pair next = smoothTowards(gains, targets);
        // A step that changes nothing changes nothing ever after: the glide has settled.
        if (sameBits(next[0], gains[0]) && sameBits(next[1], gains[1]))
            break;
        gains = next;
        drive_[i] = gains[0];
        output_[i] = gains[1];
    }
    for (; i < n; ++i)
    {
        drive_[i] = gains[0];
        output_[i] = gains[1];
    }
    e.drive_ = gains[0];
    e.outputGain_ = gains[1];
}

void vellaCorFastKernel::makeNoise(uint32_t (&state)[3], int channels, int n)
{
    uint32_t words[3] = {state[0], state[1], state[2]}; // in registers, not the processor's memory
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c)
            noise_[c][i] = nextNoise(words);
    std::copy(words, words + 3, state);
}

namespace
{
// The feedback half of a biquad section, y = forced - a1·y1 - a2·y2, for one filter (V = double)
// or two at once (V = Pair): BiquadFilter::process with its feed-forward sum formed beforehand,
// which changes no value. Only y1, y2 are carried from sample to sample.
template <typename V> struct Feedback
{
    V a1, a2, y1, y2;

    V step(V forced)
    {
        V y = forced - a1 * y1 - a2 * y2;
        y = (y + 1e-25) - 1e-25;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// The feed-forward sums of a filter over n samples at x, whose two predecessors precede them;
// several samples per instruction, since nothing here feeds back.
void forceAll(const BiquadFilter& f, const double* __restrict x, double* __restrict out, int n)
{
    const double b0 = f.b0, b1 = f.b1, b2 = f.b2;
    for (int i = 0; i < n; ++i)
        out[i] = b1 * x[i - 1] + b0 * x[i] + b2 * x[i - 2];
}

void storeInputs(BiquadFilter& f, const double* x, int n) { f.x1 = x[n - 1], f.x2 = x[n - 2]; }

template <typename V> void storeOutputs(BiquadFilter& f, const Feedback<V>& feedback, int lane)
{
    if constexpr (sizeof(V) == sizeof(double))
        f.y1 = feedback.y1, f.y2 = feedback.y2;
    else
        f.y1 = feedback.y1[lane], f.y2 = feedback.y2[lane];
}
} // namespace

// Each recursion gets a loop whose iterations depend on one another only through it, so that
// the processor overlaps them; the feed-forward sums are formed beforehand, several at a time.
template <int Channels>
QOR_KERNEL_CLONES void vellaCorFastKernel::detect(vellaCorEffect& e, int n, int metered, int ahead)
{
    BiquadFilter* const sides[2] = {&e.sidechainLeft_, &e.sidechainRight_};
    for (int c = 0; c < Channels; ++c)
    {
        BiquadFilter& side = *sides[c];
        x_[c][-2] = side.x2, x_[c][-1] = side.x1;
        forceAll(side, x_[c], forced_[c], n);
        storeInputs(side, x_[c], n);
    }

    BiquadFilter& fast = e.fastEnvelope_;
    BiquadFilter& slow = e.slowEnvelope_;
    BiquadFilter& meter = e.meter_;
    gain_[-2] = meter.x2, gain_[-1] = meter.x1;
    forceAll(meter, gain_, meterForced_, metered);
    if (metered > 0)
        storeInputs(meter, gain_, metered);

    Feedback<Pair> envelopes = {{fast.a1, slow.a1}, {fast.a2, slow.a2}, {fast.y1, slow.y1}, {fast.y2, slow.y2}};
    const Pair eb0 = {fast.b0, slow.b0}, eb1 = {fast.b1, slow.b1}, eb2 = {fast.b2, slow.b2};
    Pair d1 = {fast.x1, slow.x1}, d2 = {fast.x2, slow.x2};
    Feedback<double> gains = {meter.a1, meter.a2, meter.y1, meter.y2};
    uint32_t noise[3] = {e.noise_[0], e.noise_[1], e.noise_[2]};
    double* d = optical_.detector();
    const auto envelopeStep = [&](int i, double level)
    {
        const Pair dv = {level, level};
        const Pair fs = envelopes.step(eb1 * d1 + eb0 * dv + eb2 * d2);
        d2 = d1;
        d1 = dv;
        fast_[i] = fs[0];
        slow_[i] = fs[1];
    };
    // Each iteration steps the envelopes for the level of the one before, so that within an
    // iteration no recursion waits for another.
    const BiquadFilter &l = *sides[0], &r = *sides[Channels - 1];
    Feedback<Pair> side = {{l.a1, r.a1}, {l.a2, r.a2}, {l.y1, r.y1}, {l.y2, r.y2}};
    double previous = 0.0;
    for (int i = 0; i < n; ++i)
    {
        double level;
        if constexpr (Channels == 2)
        {
            const Pair h = side.step(Pair{forced_[0][i], forced_[1][i]});
            level = kStereoPowerScale * (h[0] * h[0] + h[1] * h[1]);
        }
        else
        {
            level = std::fabs(side.step(Pair{forced_[0][i], 0.0})[0]);
        }
        d[i] = level;
        if (i > 0)
            envelopeStep(i - 1, previous);
        previous = level;
        if (i < metered)
            gains.step(meterForced_[i]);
        if (i < ahead)
            for (int c = 0; c < Channels; ++c)
                noise_[c][i] = nextNoise(noise);
    }
    envelopeStep(n - 1, previous);
    for (int i = n; i < metered; ++i)
        gains.step(meterForced_[i]);
    for (int c = 0; c < Channels; ++c)
        storeOutputs(*sides[c], side, c);
    fast.x1 = d1[0], fast.x2 = d2[0];
    slow.x1 = d1[1], slow.x2 = d2[1];
    storeOutputs(fast, envelopes, 0);
    storeOutputs(slow, envelopes, 1);
    storeOutputs(meter, gains, 0);
    std::copy(noise, noise + 3, e.noise_);
}

template <int Ratio> QOR_KERNEL_CLONES void vellaCorFastKernel::curve(int n)
{
    double* __restrict s = gain_; // replaced by the gain
    for (int i = 0; i < n; ++i)
    {
        const double g = curveGain(Ratio, s[i], atan_[i], tanh_[i]);
        s[i] = g == g ? g : 0.0;
    }
}

QOR_KERNEL_CLONES void vellaCorFastKernel::computeGain(vellaCorEffect& e, int n)
{
    const int32_t ratio = e.ratioIndex_;
    double* __restrict s = gain_; // √envelope first, the gain in its place below
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
    case 0: curve<0>(n); break;
    case 1: curve<1>(n); break;
    case 2: curve<2>(n); break;
    case 3: curve<3>(n); break;
    case 4: curve<4>(n); break;
    case 5: curve<5>(n); break;
    default: curve<6>(n); break;
    }
    e.inverseDrive_ = inverse_[n - 1];
}

QOR_KERNEL_CLONES void vellaCorFastKernel::shape(const vellaCorEffect& e, const double* __restrict x,
                                                double* __restrict y, int n)
{
    const double* __restrict g = gain_;
    for (int i = 0; i < n; ++i)
        y[i] = g[i] * x[i];
    if (e.mode_ == 2)
    {
        const double headroom = vellaCorEffect::valveHeadroom(e.ratioIndex_);
        vellaCorVectorMath::valve(y, n, (1.0 / headroom) * e.valveInputScale_, headroom * e.valveOutputScale_);
    }
    for (int i = 0; i < n; ++i)
        y[i] = y[i] * inverse_[i] * output_[i];
}

template <int Channels, typename Sample>
QOR_KERNEL_CLONES void vellaCorFastKernel::run(vellaCorEffect& e, const Sample* const* in, Sample* const* out, int32_t n,
                             int32_t attackSteps)
{
    makeNoise(e.noise_, Channels, int(std::min<int32_t>(kChunk, n)));
    int metered = 0; // gains of the previous chunk not yet through the meter
    for (int32_t pos = 0; pos < n; pos += kChunk)
    {
        const int m = int(std::min<int32_t>(kChunk, n - pos));
        const int ahead = int(std::min<int32_t>(kChunk, n - pos - m));
        smoothGains(e, m);
        for (int c = 0; c < Channels; ++c)
        {
            double* __restrict x = x_[c];
            for (int i = 0; i < m; ++i)
                x[i] = driven(noise_[c][i], drive_[i], readSample(double(in[c][pos + i])));
        }
        detect<Channels>(e, m, metered, ahead);
        optical_.run(e.optical_, e.opticalEnvelope_, fast_, slow_, m, e.timeScale_, attackSteps, envelope_);
        computeGain(e, m);
        for (int c = 0; c < Channels; ++c)
        {
            shape(e, x_[c], y_[c], m);
            for (int i = 0; i < m; ++i)
                out[c][pos + i] = Sample(y_[c][i]);
        }
        if (Channels == 1 && out[1] != out[0])
            std::copy(out[0] + pos, out[0] + pos + m, out[1] + pos);
        metered = m;
    }
    BiquadFilter& meter = e.meter_;
    for (int i = 0; i < metered; ++i)
        meter.process(gain_[i]);
    e.meterGain_ = meter.y1;
}

template <typename Sample>
void vellaCorFastKernel::runMono(vellaCorEffect& e, const Sample* in, Sample* outL, Sample* outR, int32_t n,
                                 int32_t attackSteps)
{
    const Sample* const channels[1] = {in};
    Sample* const outputs[2] = {outL, outR};
    run<1>(e, channels, outputs, n, attackSteps);
}

template <typename Sample>
void vellaCorFastKernel::runStereo(vellaCorEffect& e, const Sample* inL, const Sample* inR, Sample* outL,
                                   Sample* outR, int32_t n, int32_t attackSteps)
{
    const Sample* const channels[2] = {inL, inR};
    Sample* const outputs[2] = {outL, outR};
    run<2>(e, channels, outputs, n, attackSteps);
}

template void vellaCorFastKernel::runMono<float>(vellaCorEffect&, const float*, float*, float*, int32_t, int32_t);
template void vellaCorFastKernel::runMono<double>(vellaCorEffect&, const double*, double*, double*, int32_t, int32_t);
template void vellaCorFastKernel::runStereo<float>(vellaCorEffect&, const float*, const float*, float*, float*,
                                                   int32_t, int32_t);
template void vellaCorFastKernel::runStereo<double>(vellaCorEffect&, const double*, const double*, double*, double*,
                                                    int32_t, int32_t);

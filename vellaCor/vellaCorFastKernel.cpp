#include "vellaCor/vellaCorFastKernel.h"

#include "vellaCor/vellaCorDetector.h"
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

template <int Channels, typename Sample>
QOR_KERNEL_CLONES void vellaCorFastKernel::drive(vellaCorEffect& e, const Sample* const* in, int64_t pos, int n,
                                                Driven& d)
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
        d.drive[i] = gains[0];
        d.output[i] = gains[1];
    }
    for (; i < n; ++i)
    {
        d.drive[i] = gains[0];
        d.output[i] = gains[1];
    }
    e.drive_ = gains[0];
    e.outputGain_ = gains[1];
    for (int c = 0; c < Channels; ++c)
    {
        double* __restrict x = d.x(c);
        const Sample* __restrict input = in[c] + pos;
        for (i = 0; i < n; ++i)
            x[i] = driven(noise_[c][i], d.drive[i], readSample(double(input[i])));
    }
}

void vellaCorFastKernel::makeNoise(uint32_t (&state)[3], int channels, int n)
{
    uint32_t words[3] = {state[0], state[1], state[2]}; // in registers, not the processor's memory
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c)
            noise_[c][i] = nextNoise(words);
    std::copy(words, words + 3, state);
}

template <int Ratio> QOR_KERNEL_CLONES void vellaCorFastKernel::curve(int n)
{
    double* __restrict s = gains(); // replaced by the gain
    for (int i = 0; i < n; ++i)
    {
        const double g = curveGain(Ratio, s[i], atan_[i], tanh_[i]);
        s[i] = g == g ? g : 0.0;
    }
}

QOR_KERNEL_CLONES void vellaCorFastKernel::computeGain(vellaCorEffect& e, const Driven& d, int n)
{
    const int32_t ratio = e.ratioIndex_;
    double* __restrict s = gains(); // √envelope first, the gain in its place below
    for (int i = 0; i < n; ++i)
    {
        s[i] = std::sqrt(envelope_[i]);
        atan_[i] = 1.2 * s[i];
        tanh_[i] = 0.0;
        inverse_[i] = 1.0 / d.drive[i];
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

QOR_KERNEL_CLONES void vellaCorFastKernel::shape(const vellaCorEffect& e, const Driven& d,
                                                const double* __restrict x, double* __restrict y, int n)
{
    const double* __restrict g = gains();
    for (int i = 0; i < n; ++i)
        y[i] = g[i] * x[i];
    if (e.mode_ == 2)
    {
        const double headroom = vellaCorEffect::valveHeadroom(e.ratioIndex_);
        vellaCorVectorMath::valve(y, n, (1.0 / headroom) * e.valveInputScale_, headroom * e.valveOutputScale_);
    }
    for (int i = 0; i < n; ++i)
        y[i] = y[i] * inverse_[i] * d.output[i];
}

template <int Channels>
QOR_KERNEL_CLONES void vellaCorFastKernel::followAndDetect(vellaCorEffect& e, int n, int attackSteps, Driven& d,
                                                          int next, int metered, int ahead)
{
    const typename vellaCorDetector<Channels>::Filters filters = {
        {&e.sidechainLeft_, &e.sidechainRight_}, e.fastEnvelope_, e.slowEnvelope_, e.meter_, e.noise_};
    const typename vellaCorDetector<Channels>::Buffers buffers = {
        {d.x(0), d.x(1)}, gains(), {forced_[0], forced_[1]}, meterForced_, levels(), fast_, slow_, {noise_[0], noise_[1]}};
    vellaCorDetector<Channels> detector(filters, buffers, next, metered, ahead);
    if (n > 0)
        optical_.follow(e.optical_, e.opticalEnvelope_, n, attackSteps, envelope_, [&](int i) { detector.step(i); });
    detector.finish(n);
    std::copy(levels(), levels() + next, optical_.detector());
}

template <int Channels, typename Sample>
QOR_KERNEL_CLONES void vellaCorFastKernel::run(vellaCorEffect& e, const Sample* const* in, Sample* const* out,
                                              int32_t n, int32_t attackSteps)
{
    // Chunk k: its dither made while chunk k - 2 is followed; driven and detected while chunk
    // k - 1 is followed; then designed, followed (with the detector of chunk k + 1), gained and
    // shaped; its gains go through the meter while chunk k + 1 is followed. Every input sample is
    // read before any output sample at or after it is written, so in place is fine.
    const auto length = [n](int64_t pos) { return pos < n ? int(std::min<int64_t>(kChunk, n - pos)) : 0; };
    makeNoise(e.noise_, Channels, length(0));
    drive<Channels>(e, in, 0, length(0), driven_[0]);
    followAndDetect<Channels>(e, 0, attackSteps, driven_[0], length(0), 0, length(kChunk));
    int metered = 0; // gains of the previous chunk not yet through the meter
    for (int64_t pos = 0, k = 0; pos < n; pos += kChunk, ++k)
    {
        Driven& now = driven_[k & 1];
        Driven& next = driven_[(k + 1) & 1];
        const int m = length(pos);
        const int following = n - pos > kChunk ? length(pos + kChunk) : 0;
        const int ahead = n - pos > 2 * kChunk ? length(pos + 2 * kChunk) : 0;
        optical_.design(e.optical_, fast_, slow_, m, e.timeScale_);
        if (following > 0)
            drive<Channels>(e, in, pos + kChunk, following, next);
        followAndDetect<Channels>(e, m, attackSteps, next, following, metered, ahead);
        optical_.finish(e.optical_, m);
        computeGain(e, now, m);
        for (int c = 0; c < Channels; ++c)
        {
            shape(e, now, now.x(c), y_[c], m);
            for (int i = 0; i < m; ++i)
                out[c][pos + i] = Sample(y_[c][i]);
        }
        if (Channels == 1 && out[1] != out[0])
            std::copy(out[0] + pos, out[0] + pos + m, out[1] + pos);
        metered = m;
    }
    BiquadFilter& meter = e.meter_;
    for (int i = 0; i < metered; ++i)
        meter.process(gains()[i]);
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

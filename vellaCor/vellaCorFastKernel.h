#pragma once

#include "vellaCor/vellaCorOpticalCell.h"

#include <cstdint>

class vellaCorEffect;

// The per-sample kernels in chunks: each stage runs over a whole chunk before the next, so that the
// stages without feedback run several samples per instruction and the optical envelope's recursion
// is left with only what truly depends on it; the detector of the next chunk runs in the gaps of
// that recursion. Gives the reference kernel's output (see the tests); lives on the stack of one
// process() call. Processing thread; never allocates.
class vellaCorFastKernel
{
public:
    static constexpr int kChunk = vellaCorOpticalCell::kMaxLanes;

    template <typename Sample>
    void runMono(vellaCorEffect& e, const Sample* in, Sample* outL, Sample* outR, int32_t n, int32_t attackSteps);
    template <typename Sample>
    void runStereo(vellaCorEffect& e, const Sample* inL, const Sample* inR, Sample* outL, Sample* outR, int32_t n,
                   int32_t attackSteps);

private:
    // Arrays ahead of the chunk they belong to have this much room for filter histories in front;
    // it keeps the chunk itself aligned.
    static constexpr int kHistory = 4;

    // What one chunk's driven input gives: there are two, the one being shaped and the next.
    struct Driven
    {
        alignas(32) double drive[kChunk], output[kChunk];
        alignas(32) double samples[2][kHistory + kChunk];
        double* x(int c) { return samples[c] + kHistory; }
    };

    template <int Channels, typename Sample>
    void run(vellaCorEffect& e, const Sample* const* in, Sample* const* out, int32_t n, int32_t attackSteps);
    // The smoothed gains and the driven samples of the chunk at `pos`, from its dither.
    template <int Channels, typename Sample>
    void drive(vellaCorEffect& e, const Sample* const* in, int64_t pos, int n, Driven& d);
    // The dither of n samples, left before right.
    void makeNoise(uint32_t (&state)[3], int channels, int n);
    // The detector of the chunk `next` (its driven samples in d, its detector values into the
    // optical cell and its envelopes into fast_, slow_), the meter over the last chunk's `metered`
    // gains and the dither of `ahead` samples; the optical envelope of the current chunk (`n`
    // samples, 0 for none) runs in the same loop.
    template <int Channels>
    void followAndDetect(vellaCorEffect& e, int n, int attackSteps, Driven& d, int next, int metered, int ahead);
    void computeGain(vellaCorEffect& e, const Driven& d, int n);
    // The gains from s = √envelope in their place and the transcendental terms in atan_ and tanh_.
    template <int Ratio> void curve(int n);
    // y = g·x, the valve in its mode, then the drive taken out and the output gain.
    void shape(const vellaCorEffect& e, const Driven& d, const double* __restrict x, double* __restrict y, int n);

    Driven driven_[2];
    alignas(32) double gainIn_[kHistory + kChunk], levelIn_[kHistory + kChunk];
    double* gains() { return gainIn_ + kHistory; }
    double* levels() { return levelIn_ + kHistory; }
    // Feed-forward sums of the side-chain filters; of the meter.
    alignas(32) double forced_[2][kChunk], meterForced_[kChunk];
    alignas(32) double inverse_[kChunk], noise_[2][kChunk], y_[2][kChunk];
    alignas(32) double fast_[kChunk], slow_[kChunk], envelope_[kChunk];
    alignas(32) double atan_[kChunk], tanh_[kChunk];
    vellaCorOpticalCell optical_;
};

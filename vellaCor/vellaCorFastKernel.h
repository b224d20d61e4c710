#pragma once

#include "vellaCor/vellaCorOpticalCell.h"

#include <cstdint>

class vellaCorEffect;

// The per-sample kernels in chunks: each stage runs over a whole chunk before the next, so that the
// stages without feedback run several samples per instruction and the optical envelope's recursion
// is left with only what truly depends on it. Gives the reference kernel's output (see the tests);
// lives on the stack of one process() call. Processing thread; never allocates.
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
    template <int Channels, typename Sample>
    void run(vellaCorEffect& e, const Sample* const* in, Sample* const* out, int32_t n, int32_t attackSteps);
    // The smoothed drive and output gain of each sample.
    void smoothGains(vellaCorEffect& e, int n);
    // The dither of n samples, left before right.
    void makeNoise(uint32_t (&state)[3], int channels, int n);
    // The side-chain and the fast and slow envelopes: the detector values and fast_, slow_. The
    // meter of the previous chunk (`metered` gains) and the dither of the next (`ahead` samples)
    // run in the same loop: they are recursions of their own that would each cost as much alone.
    template <int Channels> void detect(vellaCorEffect& e, int n, int metered, int ahead);
    void computeGain(vellaCorEffect& e, int n);
    // gain_ from s = √envelope in its place and the transcendental terms in atan_ and tanh_.
    template <int Ratio> void curve(int n);
    // y = g·x, the valve in its mode, then the drive taken out and the output gain.
    void shape(const vellaCorEffect& e, const double* __restrict x, double* __restrict y, int n);

    alignas(32) double drive_[kChunk], inverse_[kChunk], output_[kChunk];
    // The driven samples and the gains each have the two values before the chunk in front, the
    // input history of the filters that they feed; kHistory keeps the chunk itself aligned.
    static constexpr int kHistory = 4;
    alignas(32) double drivenIn_[2][kHistory + kChunk], gainIn_[kHistory + kChunk], levelIn_[kHistory + kChunk];
    double* const x_[2] = {drivenIn_[0] + kHistory, drivenIn_[1] + kHistory};
    double* const gain_ = gainIn_ + kHistory;
    double* const level_ = levelIn_ + kHistory; // the detector
    // Feed-forward sums of the side-chain filters, then of the envelopes; of the meter.
    alignas(32) double forced_[2][kChunk], meterForced_[kChunk];
    alignas(32) double noise_[2][kChunk], y_[2][kChunk];
    alignas(32) double fast_[kChunk], slow_[kChunk], envelope_[kChunk];
    alignas(32) double atan_[kChunk], tanh_[kChunk];
    vellaCorOpticalCell optical_;
};

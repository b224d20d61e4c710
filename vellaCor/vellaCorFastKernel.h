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
    // Smoothed gains, dither and the driven samples x_ of one or two channels.
    template <typename Sample> void drive(vellaCorEffect& e, const Sample* const* in, int channels, int n);
    // The side-chain and the fast and slow envelopes: the detector values and fast_, slow_.
    void detectMono(vellaCorEffect& e, int n);
    void detectStereo(vellaCorEffect& e, int n);
    void computeGain(vellaCorEffect& e, int n);
    // gain_ from s = √envelope and the transcendental terms in atan_ and tanh_.
    template <int Ratio> void curve(const double* s, int n);
    void applyValve(double* y, int n, double a, double b);
    // y = g·x, the valve in its mode, then the drive taken out and the output gain.
    void shape(const vellaCorEffect& e, const double* x, double* y, int n);

    alignas(32) double drive_[kChunk], inverse_[kChunk], output_[kChunk];
    alignas(32) double x_[2][kChunk], y_[2][kChunk];
    alignas(32) double fast_[kChunk], slow_[kChunk], envelope_[kChunk], gain_[kChunk];
    alignas(32) double atan_[kChunk], tanh_[kChunk];
    // The valve's arguments sorted by sign, with the sample each came from.
    alignas(32) double positive_[kChunk], negative_[kChunk];
    int positiveAt_[kChunk], negativeAt_[kChunk];
    vellaCorOpticalCell optical_;
};

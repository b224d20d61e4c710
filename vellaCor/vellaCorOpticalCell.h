#pragma once

#include "vellaCor/BiquadFilter.h"

// The optical envelope over a chunk of samples, with the output of the one-sample-at-a-time form.
// What does not depend on the envelope itself — the corner and the per-sample design — is computed
// for the whole chunk first, several samples per instruction; what remains sample by sample is one
// filter step, or on attack (a minority of samples) the closed form of its N steps.
class vellaCorOpticalCell
{
public:
    static constexpr int kMaxLanes = 64;

    // The caller writes the chunk's detector values here before run().
    double* detector() { return d_ + 2; }

    // Runs `steps` filter steps per sample while the detector is above the envelope, one otherwise;
    // writes the floored envelope of every sample and keeps the filter and envelope up to date.
    void run(BiquadFilter& optical, double& envelope, const double* fast, const double* slow, int n, double timeScale,
             int steps, double* out);

private:
    void design(const BiquadFilter& optical, const double* fast, const double* slow, int n, double timeScale);
    void follow(BiquadFilter& optical, double& envelope, int n, int steps, double* out);

    // Detector values, after the filter's inputs x2, x1 from before the chunk.
    alignas(32) double d_[kMaxLanes + 2];
    alignas(32) double fc_[kMaxLanes], w_[kMaxLanes], sin_[kMaxLanes], cos_[kMaxLanes];
    alignas(32) double a1_[kMaxLanes], a2_[kMaxLanes], b0_[kMaxLanes], b1_[kMaxLanes];
    // Forcing of one step, b0·x + b1·x1 + b2·x2, for x2 after a single step [0] or after an attack [1].
    alignas(32) double force_[2][kMaxLanes];
};

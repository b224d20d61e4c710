#pragma once

#include "vellaCor/BiquadFilter.h"
#include "vellaCor/vellaCorHeldSteps.h"

// The optical envelope over a chunk of samples, with the output of the one-sample-at-a-time form.
// Everything that does not depend on the envelope itself — the corner, the per-sample design and
// the map of the attack's held steps — is computed for the whole chunk first, lane by lane;
// what remains sample by sample is one filter step or one small affine map, and a comparison.
class vellaCorOpticalCell
{
public:
    static constexpr int kMaxLanes = vellaCorHeldSteps::kMaxLanes;

    // The caller writes the chunk's detector values here before run().
    double* detector() { return d_ + 2; }

    // Runs `steps` filter steps per sample while the detector is above the envelope, one otherwise;
    // writes the floored envelope of every sample and keeps the filter and envelope up to date.
    void run(BiquadFilter& optical, double& envelope, const double* fast, const double* slow, int n, double timeScale,
             int steps, double* out);

private:
    void design(const BiquadFilter& optical, const double* fast, const double* slow, int n, double timeScale,
                int steps);
    void followRelease(BiquadFilter& optical, double& envelope, int n, double* out);
    void follow(BiquadFilter& optical, double& envelope, int n, double* out);

    // Detector values, after the filter's inputs x2, x1 from before the chunk.
    alignas(32) double d_[kMaxLanes + 2];
    alignas(32) double fc_[kMaxLanes], w_[kMaxLanes], sin_[kMaxLanes], cos_[kMaxLanes];
    alignas(32) double a1_[kMaxLanes], a2_[kMaxLanes], b0_[kMaxLanes], b1_[kMaxLanes];
    // Forcing of one step, b0·x + b1·x1 + b2·x2, for x2 after a single step [0] or after an attack [1],
    // and of the attack's second and further steps.
    alignas(32) double force_[2][kMaxLanes], second_[kMaxLanes], held_[kMaxLanes];
    // The attack as a map of u = (y1, y1 - y2), see vellaCorHeldSteps: u' = u + rowY·y1 + rowDelta·δ
    // + offset[after a single step or after an attack]; pairs of doubles, one pair per sample.
    alignas(32) double rowY_[2 * kMaxLanes], rowDelta_[2 * kMaxLanes], offset_[2][2 * kMaxLanes];
    vellaCorHeldSteps heldSteps_;
};

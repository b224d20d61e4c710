#pragma once

#include "vellaCor/BiquadFilter.h"
#include "vellaCor/vellaCorHeldSteps.h"
#include "vellaCor/vellaCorKernelSteps.h"

// The optical envelope over a chunk of samples, with the output of the one-sample-at-a-time form.
// What does not depend on the envelope itself — the corner and the per-sample design — is computed
// for the whole chunk first, several samples per instruction; what remains sample by sample is one
// filter step, or on attack (a minority of samples) the closed form of its N steps.
class vellaCorOpticalCell
{
public:
    static constexpr int kMaxLanes = 64;

    // The caller writes the chunk's detector values here before design().
    double* detector() { return d_ + 2; }

    // The filter of every sample of the chunk, from the envelopes that set its corner.
    void design(const BiquadFilter& optical, const double* fast, const double* slow, int n, double timeScale);

    // Runs `steps` filter steps per sample while the detector is above the envelope, one otherwise;
    // writes the floored envelope of every sample and keeps the filter and envelope up to date.
    // Calls alongside(i) in each iteration: work of the caller's that has nothing to do with the
    // cell, done in the gaps of the envelope's recursion.
    template <typename Alongside>
    void follow(BiquadFilter& optical, double& envelope, int n, int steps, double* out, Alongside&& alongside);

    // Leaves the filter designed as for the chunk's last sample.
    void finish(BiquadFilter& optical, int n) const;

private:
    // Detector values, after the filter's inputs x2, x1 from before the chunk.
    alignas(32) double d_[kMaxLanes + 2];
    alignas(32) double fc_[kMaxLanes], w_[kMaxLanes], sin_[kMaxLanes], cos_[kMaxLanes];
    alignas(32) double a1_[kMaxLanes], a2_[kMaxLanes], b0_[kMaxLanes], b1_[kMaxLanes];
    // Forcing of one step, b0·x + b1·x1 + b2·x2, for x2 after a single step [0] or after an attack [1].
    alignas(32) double force_[2][kMaxLanes];
};

template <typename Alongside>
inline __attribute__((always_inline)) void vellaCorOpticalCell::follow(BiquadFilter& optical, double& envelope, int n,
                                                                      int steps, double* out, Alongside&& alongside)
{
    using namespace vellaCorKernelSteps;
    double y1 = optical.y1, y2 = optical.y2;
    double env = envelope;
    int attacked = 0; // the last sample was an attack, so the filter's x2 is its x1
    for (int i = 0; i < n; ++i)
    {
        const double x = d_[i + 2];
        if (x > env && steps > 1) // one step on attack is the release step
        {
            // N steps: one with the true x1, x2, one with x2 = x1, then N - 2 with all inputs x.
            using H = vellaCorHeldSteps;
            const double a1 = a1_[i], a2 = a2_[i], b0 = b0_[i], b1 = b1_[i];
            const double second = b1 * x + b0 * x + b0 * d_[i + 1];
            const double held = b1 * x + b0 * x + b0 * x;
            const H::Map all = H::compose(H::compose(H::power(a1, a2, held, steps - 2), H::step(a1, a2, second)),
                                          H::step(a1, a2, force_[attacked][i]));
            const double delta = y1 - y2;
            const double y = y1 + ((all.e00 * y1 + all.e01 * delta) + all.f0);
            y2 = y - (delta + ((all.e10 * y1 + all.e11 * delta) + all.f1));
            y1 = y;
            attacked = 1;
        }
        else
        {
            double y = force_[attacked][i] - a1_[i] * y1 - a2_[i] * y2;
            y = (y + 1e-25) - 1e-25;
            y2 = y1;
            y1 = y;
            attacked = 0;
        }
        env = y1 > kEnvelopeFloor ? y1 : kEnvelopeFloor; // NaN too
        out[i] = env;
        alongside(i);
    }
    optical.y1 = y1, optical.y2 = y2;
    optical.x1 = d_[n + 1], optical.x2 = attacked ? d_[n + 1] : d_[n];
    envelope = env;
}

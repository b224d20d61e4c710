#include "vellaCor/vellaCorOpticalCell.h"

#include "vellaCor/vellaCorHeldSteps.h"
#include "vellaCor/vellaCorKernelSteps.h"
#include "vellaCor/vellaCorSmallAngle.h"

#include <cmath>

using namespace vellaCorKernelSteps;

namespace
{
constexpr double kTwoPi = 6.283185307179586;

double floored(double envelope) { return envelope > kEnvelopeFloor ? envelope : kEnvelopeFloor; } // NaN too

} // namespace

// Four samples per instruction where the processor has AVX2; the values are the same either way.
QOR_KERNEL_CLONES void vellaCorOpticalCell::design(const BiquadFilter& optical, const double* fast, const double* slow, int n,
                                 double timeScale)
{
    const double rate = optical.sampleRate;
    for (int i = 0; i < n; ++i)
    {
        fc_[i] = opticalCorner(fast[i], slow[i], timeScale);
        w_[i] = kTwoPi * opticalDesignCorner(fc_[i], rate) / rate;
        vellaCorSmallAngle::sinCos(w_[i], sin_[i], cos_[i]);
    }
    for (int i = 0; i < n; ++i)
        if (w_[i] > vellaCorSmallAngle::kSmallAngleLimit) // only far outside the parameter ranges
        {
            sin_[i] = std::sin(w_[i]);
            cos_[i] = std::cos(w_[i]);
        }
    const double twoQ = 2.0 * optical.q;
    for (int i = 0; i < n; ++i)
    {
        const double c = cos_[i];
        const double alpha = sin_[i] / twoQ;
        const double a0 = 1.0 + alpha;
        a1_[i] = -2.0 * c / a0;
        a2_[i] = (1.0 - alpha) / a0;
        // (1 - c) / 2 / a0 is exactly half of (1 - c) / a0: halving commutes with rounding, and
        // 1 - c is 0 or far above the subnormals.
        const double b1 = (1.0 - c) / a0, b0 = 0.5 * b1; // b2 = b0
        b0_[i] = b0;
        b1_[i] = b1;
        const double x = d_[i + 2], x1 = d_[i + 1], x2 = d_[i];
        force_[0][i] = b1 * x1 + b0 * x + b0 * x2;
        force_[1][i] = b1 * x1 + b0 * x + b0 * x1;
    }
}

QOR_KERNEL_CLONES void vellaCorOpticalCell::follow(BiquadFilter& optical, double& envelope, int n, int steps, double* out)
{
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
        env = floored(y1);
        out[i] = env;
    }
    optical.y1 = y1, optical.y2 = y2;
    optical.x1 = d_[n + 1], optical.x2 = attacked ? d_[n + 1] : d_[n];
    envelope = env;
}

void vellaCorOpticalCell::run(BiquadFilter& optical, double& envelope, const double* fast, const double* slow, int n,
                              double timeScale, int steps, double* out)
{
    d_[0] = optical.x2;
    d_[1] = optical.x1;
    design(optical, fast, slow, n, timeScale);
    follow(optical, envelope, n, steps, out);
    // The filter is left designed as for its last sample.
    const int last = n - 1;
    optical.frequency = fc_[last];
    optical.a1 = a1_[last], optical.a2 = a2_[last];
    optical.b0 = b0_[last], optical.b1 = b1_[last], optical.b2 = b0_[last];
}

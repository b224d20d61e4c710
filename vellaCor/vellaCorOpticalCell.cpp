#include "vellaCor/vellaCorOpticalCell.h"

#include "vellaCor/vellaCorKernelSteps.h"
#include "vellaCor/vellaCorSmallAngle.h"

#include <cmath>
#include <cstring>

using namespace vellaCorKernelSteps;

namespace
{
constexpr double kTwoPi = 6.283185307179586;

typedef double Pair __attribute__((vector_size(16)));

double floored(double envelope) { return envelope > kEnvelopeFloor ? envelope : kEnvelopeFloor; } // NaN too

Pair pair(const double* p)
{
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
} // namespace

void vellaCorOpticalCell::design(const BiquadFilter& optical, const double* fast, const double* slow, int n,
                                 double timeScale, int steps)
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
        const double b0 = (1.0 - c) / 2.0 / a0, b1 = (1.0 - c) / a0; // b2 = b0
        b0_[i] = b0;
        b1_[i] = b1;
        const double x = d_[i + 2], x1 = d_[i + 1], x2 = d_[i];
        force_[0][i] = b1 * x1 + b0 * x + b0 * x2;
        force_[1][i] = b1 * x1 + b0 * x + b0 * x1;
        second_[i] = b1 * x + b0 * x + b0 * x1;
        held_[i] = b1 * x + b0 * x + b0 * x;
    }
    if (steps < 2)
        return;

    // An attack of N steps: one with the true x1, x2, one with x2 = x1, then N - 2 held steps.
    heldSteps_.compute(a1_, a2_, n, steps - 2);
    for (int i = 0; i < n; ++i)
    {
        using Map = vellaCorHeldSteps::Map;
        Map held = heldSteps_.map(i);
        held.f0 *= held_[i];
        held.f1 *= held_[i];
        const Map tail = vellaCorHeldSteps::compose(held, vellaCorHeldSteps::step(a1_[i], a2_[i], second_[i]));
        const Map afterSingle = vellaCorHeldSteps::compose(tail, vellaCorHeldSteps::step(a1_[i], a2_[i], force_[0][i]));
        const Map afterAttack = vellaCorHeldSteps::compose(tail, vellaCorHeldSteps::step(a1_[i], a2_[i], force_[1][i]));
        rowY_[2 * i] = afterSingle.e00, rowY_[2 * i + 1] = afterSingle.e10; // the forcing only shifts
        rowDelta_[2 * i] = afterSingle.e01, rowDelta_[2 * i + 1] = afterSingle.e11;
        offset_[0][2 * i] = afterSingle.f0, offset_[0][2 * i + 1] = afterSingle.f1;
        offset_[1][2 * i] = afterAttack.f0, offset_[1][2 * i + 1] = afterAttack.f1;
    }
}

void vellaCorOpticalCell::followRelease(BiquadFilter& optical, double& envelope, int n, double* out)
{
    double y1 = optical.y1, y2 = optical.y2;
    for (int i = 0; i < n; ++i)
    {
        double y = force_[0][i] - a1_[i] * y1 - a2_[i] * y2;
        y = (y + 1e-25) - 1e-25;
        y2 = y1;
        y1 = y;
        out[i] = floored(y);
    }
    optical.y1 = y1, optical.y2 = y2;
    optical.x1 = d_[n + 1], optical.x2 = d_[n];
    envelope = out[n - 1];
}

void vellaCorOpticalCell::follow(BiquadFilter& optical, double& envelope, int n, double* out)
{
    Pair y = {optical.y1, optical.y2};
    double env = envelope;
    int attacked = 0; // the last sample was an attack, so the filter's x2 is its x1
    for (int i = 0; i < n; ++i)
    {
        const double x = d_[i + 2];
        double release = force_[attacked][i] - a1_[i] * y[0] - a2_[i] * y[1];
        release = (release + 1e-25) - 1e-25;
        const double delta = y[0] - y[1];
        const Pair u = Pair{y[0], delta} + ((pair(rowY_ + 2 * i) * y[0] + pair(rowDelta_ + 2 * i) * delta) +
                                            pair(offset_[attacked] + 2 * i));
        const Pair attack = {u[0], u[0] - u[1]};
        // Selected lane-wise without a branch: the comparison is close to a coin toss on noise.
        const auto rising = Pair{x, x} > Pair{env, env};
        y = rising ? attack : Pair{release, y[0]};
        attacked = x > env;
        env = floored(y[0]);
        out[i] = env;
    }
    optical.y1 = y[0], optical.y2 = y[1];
    optical.x1 = d_[n + 1], optical.x2 = attacked ? d_[n + 1] : d_[n];
    envelope = env;
}

void vellaCorOpticalCell::run(BiquadFilter& optical, double& envelope, const double* fast, const double* slow, int n,
                              double timeScale, int steps, double* out)
{
    d_[0] = optical.x2;
    d_[1] = optical.x1;
    design(optical, fast, slow, n, timeScale, steps);
    if (steps < 2)
        followRelease(optical, envelope, n, out);
    else
        follow(optical, envelope, n, out);
    // The filter is left designed as for its last sample.
    const int last = n - 1;
    optical.frequency = fc_[last];
    optical.a1 = a1_[last], optical.a2 = a2_[last];
    optical.b0 = b0_[last], optical.b1 = b1_[last], optical.b2 = b0_[last];
}

#include "vellaCor/vellaCorOpticalCell.h"

#include "vellaCor/vellaCorSmallAngle.h"

#include <cmath>

using namespace vellaCorKernelSteps;

namespace
{
constexpr double kTwoPi = 6.283185307179586;
} // namespace

// Four samples per instruction where the processor has AVX2; the values are the same either way.
QOR_KERNEL_CLONES void vellaCorOpticalCell::design(const BiquadFilter& optical, const double* fast, const double* slow, int n,
                                 double timeScale)
{
    d_[0] = optical.x2;
    d_[1] = optical.x1;
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

void vellaCorOpticalCell::finish(BiquadFilter& optical, int n) const
{
    const int last = n - 1;
    optical.frequency = fc_[last];
    optical.a1 = a1_[last], optical.a2 = a2_[last];
    optical.b0 = b0_[last], optical.b1 = b1_[last], optical.b2 = b0_[last];
}

#pragma once

// Sine and cosine together for the small angles of the optical filter's per-sample design.
// Taylor series in w² to full double precision for |w| <= kSmallAngleLimit. The cosine's leading
// term 1 - w²/2 is formed exactly (w² split into two doubles), so only the far smaller tail rounds;
// the result is then the correctly rounded value in all but a tiny fraction of cases, which is the
// value the C library gives. That matters because the design uses 1 - cos w, where one ulp of the
// cosine is a relative error of up to 1e-10. Larger angles must go to the library.

namespace vellaCorSmallAngle
{

inline constexpr double kSmallAngleLimit = 0.25;

inline void sinCos(double w, double& s, double& c)
{
    const double z = w * w;
    // The first omitted terms, w^15/15! and w^16/16!, stay below 1e-21 at the limit.
    const double ps = -1.0 / 6.0 +
                      z * (1.0 / 120.0 +
                           z * (-1.0 / 5040.0 + z * (1.0 / 362880.0 + z * (-1.0 / 39916800.0 + z * (1.0 / 6227020800.0)))));
    const double pc =
        1.0 / 24.0 +
        z * (-1.0 / 720.0 +
             z * (1.0 / 40320.0 + z * (-1.0 / 3628800.0 + z * (1.0 / 479001600.0 + z * (-1.0 / 87178291200.0)))));
    s = w + w * (z * ps);

    // w² = z + zLow exactly (Dekker's product), then 1 - z/2 = high + error exactly.
    const double split = w * 134217729.0; // 2^27 + 1
    const double wHigh = split - (split - w), wLow = w - wHigh;
    const double zLow = ((wHigh * wHigh - z) + 2.0 * wHigh * wLow) + wLow * wLow;
    const double half = 0.5 * z;
    const double high = 1.0 - half;
    const double error = (1.0 - high) - half;
    c = high + ((error - 0.5 * zLow) + z * z * pc);
}

} // namespace vellaCorSmallAngle

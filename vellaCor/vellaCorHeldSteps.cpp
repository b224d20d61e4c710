#include "vellaCor/vellaCorHeldSteps.h"

void vellaCorHeldSteps::compute(const double* a1, const double* a2, int n, int k)
{
    auto power = [&](int i) { return Map{p00_[i], p01_[i], p10_[i], p11_[i], q0_[i], q1_[i]}; };
    for (int i = 0; i < n; ++i)
    {
        set(i, {0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
        const Map s = step(a1[i], a2[i], 1.0);
        p00_[i] = s.e00, p01_[i] = s.e01, p10_[i] = s.e10, p11_[i] = s.e11, q0_[i] = s.f0, q1_[i] = s.f1;
    }
    // Lane loops inside the loop over the bits of k, so that each runs over the whole chunk.
    while (k > 0)
    {
        if (k & 1)
            for (int i = 0; i < n; ++i)
                set(i, compose(map(i), power(i))); // powers of one map commute
        k >>= 1;
        if (k > 0)
            for (int i = 0; i < n; ++i)
            {
                const Map p = compose(power(i), power(i));
                p00_[i] = p.e00, p01_[i] = p.e01, p10_[i] = p.e10, p11_[i] = p.e11, q0_[i] = p.f0, q1_[i] = p.f1;
            }
    }
}

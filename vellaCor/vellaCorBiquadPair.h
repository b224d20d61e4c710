#pragma once

#include "vellaCor/BiquadFilter.h"

// Two biquad sections stepped together, one per vector lane, with exactly the operations of
// BiquadFilter::process in each lane. Loaded from and stored back into the two filters.
class vellaCorBiquadPair
{
public:
    typedef double Pair __attribute__((vector_size(16)));

    vellaCorBiquadPair(const BiquadFilter& a, const BiquadFilter& b)
        : b0{a.b0, b.b0}, b1{a.b1, b.b1}, b2{a.b2, b.b2}, a1{a.a1, b.a1}, a2{a.a2, b.a2}, x1{a.x1, b.x1},
          x2{a.x2, b.x2}, y1{a.y1, b.y1}, y2{a.y2, b.y2}
    {
    }

    Pair process(Pair x)
    {
        Pair y = b1 * x1 + b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        y = (y + 1e-25) - 1e-25;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    void store(BiquadFilter& a, BiquadFilter& b) const
    {
        a.x1 = x1[0], a.x2 = x2[0], a.y1 = y1[0], a.y2 = y2[0];
        b.x1 = x1[1], b.x2 = x2[1], b.y1 = y1[1], b.y2 = y2[1];
    }

private:
    Pair b0, b1, b2, a1, a2, x1, x2, y1, y2;
};

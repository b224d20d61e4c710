#pragma once

// k steps of a biquad's output recursion y_n = h - a1·y_{n-1} - a2·y_{n-2} with a held forcing h,
// in closed form.
//
// The state is taken as u = (y, δ) with δ = y_{n-1} - y_{n-2}; one step then reads
//     u' = u + E·u + h·(1, 1),   E = [[-σ, a2], [-σ, a2 - 1]],   σ = 1 + a1 + a2,
// and k steps are u_k = u + E_k·u + h·v_k. Keeping maps as I + E is what keeps them accurate: for a
// low-pass far below Nyquist every step is close to the identity, σ is tiny and δ small, so the
// large part of the state never goes through a rounded product. E_k and v_k come from repeated
// squaring, so k steps cost O(log k), with no dependence on the state until the map is applied.
struct vellaCorHeldSteps
{
    // An affine map u -> u + E·u + f.
    struct Map
    {
        double e00, e01, e10, e11, f0, f1;
    };

    // `after` applied to the result of `before`.
    static Map compose(const Map& after, const Map& before)
    {
        const Map& a = after;
        const Map& b = before;
        return {a.e00 + b.e00 + (a.e00 * b.e00 + a.e01 * b.e10),
                a.e01 + b.e01 + (a.e00 * b.e01 + a.e01 * b.e11),
                a.e10 + b.e10 + (a.e10 * b.e00 + a.e11 * b.e10),
                a.e11 + b.e11 + (a.e10 * b.e01 + a.e11 * b.e11),
                b.f0 + (a.e00 * b.f0 + a.e01 * b.f1) + a.f0,
                b.f1 + (a.e10 * b.f0 + a.e11 * b.f1) + a.f1};
    }

    // One step with forcing h, from the filter's feedback coefficients.
    static Map step(double a1, double a2, double h)
    {
        const double sigma = (1.0 + a1) + a2; // exact for a low-pass: both sums cancel
        return {-sigma, a2, -sigma, a2 - 1.0, h, h};
    }

    // k steps with forcing h.
    static Map power(double a1, double a2, double h, int k)
    {
        Map result = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
        Map square = step(a1, a2, h);
        while (k > 0)
        {
            if (k & 1)
                result = compose(result, square); // powers of one map commute
            k >>= 1;
            if (k > 0)
                square = compose(square, square);
        }
        return result;
    }
};

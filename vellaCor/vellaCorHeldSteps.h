#pragma once

// k steps of a biquad's output recursion y_n = h - a1·y_{n-1} - a2·y_{n-2} with a held forcing h,
// in closed form for every sample of a chunk (each sample has its own a1, a2).
//
// The state is taken as u = (y, δ) with δ = y_{n-1} - y_{n-2}, the step then reads
//     u' = u + E·u + h·(1, 1),   E = [[-σ, a2], [-σ, a2 - 1]],   σ = 1 + a1 + a2,
// and k steps are u_k = u + E_k·u + h·v_k. Keeping maps as I + E is what keeps them accurate: for a
// low-pass far below Nyquist every step is close to the identity, σ is tiny and δ small, so the
// large part of the state never goes through a rounded product. E_k and v_k come from repeated
// squaring: O(log k), and none of it depends on the filter's state.
class vellaCorHeldSteps
{
public:
    static constexpr int kMaxLanes = 64;

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

    // One step's map with forcing h, from the filter's feedback coefficients.
    static Map step(double a1, double a2, double h)
    {
        const double sigma = (1.0 + a1) + a2; // exact for a low-pass: both sums cancel
        return {-sigma, a2, -sigma, a2 - 1.0, h, h};
    }

    // E_k and v_k (the offset for h = 1) of every lane.
    void compute(const double* a1, const double* a2, int n, int k);
    Map map(int lane) const { return {e00[lane], e01[lane], e10[lane], e11[lane], v0[lane], v1[lane]}; }

private:
    void set(int lane, const Map& m)
    {
        e00[lane] = m.e00, e01[lane] = m.e01, e10[lane] = m.e10, e11[lane] = m.e11, v0[lane] = m.f0, v1[lane] = m.f1;
    }

    alignas(32) double e00[kMaxLanes], e01[kMaxLanes], e10[kMaxLanes], e11[kMaxLanes];
    alignas(32) double v0[kMaxLanes], v1[kMaxLanes];
    // The map of 2^j steps while squaring.
    alignas(32) double p00_[kMaxLanes], p01_[kMaxLanes], p10_[kMaxLanes], p11_[kMaxLanes];
    alignas(32) double q0_[kMaxLanes], q1_[kMaxLanes];
};

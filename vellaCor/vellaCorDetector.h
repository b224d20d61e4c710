#pragma once

#include "vellaCor/BiquadFilter.h"
#include "vellaCor/vellaCorKernelSteps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// The fast kernel's detector over one chunk: the side-chain filters, the level they detect, and
// the fast and slow envelopes of that level; alongside, the meter over the previous chunk's gains
// and the dither of a later chunk. Each is a recursion of its own: stepped together, each fills
// the others' gaps. The caller steps i = 0, 1, ... in order, interleaved with a loop of its own,
// as far as it likes; finish(from) takes the rest. Same operations as BiquadFilter::process, so
// the same values.
template <int Channels> class vellaCorDetector
{
public:
    typedef double Pair __attribute__((vector_size(16)));

    struct Filters
    {
        BiquadFilter* side[2];
        BiquadFilter &fast, &slow, &meter;
        uint32_t* noise; // three words
    };

    // x[c], gains and level have room for two values before index 0, for the filters' input histories.
    struct Buffers
    {
        double* x[2];
        double* gains;
        double *forced[2], *meterForced;
        double *level, *fast, *slow; // written
        double* noise[2];            // written, `ahead` values per channel
    };

    // Everything is inlined into the caller's loop, so that the state stays in registers.
    inline __attribute__((always_inline)) vellaCorDetector(const Filters& f, const Buffers& b, int n, int metered,
                                                           int ahead);
    inline __attribute__((always_inline)) void step(int i);
    // Steps from `from` to the end, then stores the filters' states.
    inline __attribute__((always_inline)) void finish(int from);

private:
    // The feedback half of a biquad section, y = forced - a1·y1 - a2·y2, for one filter (V = double)
    // or two at once (V = Pair); the feed-forward sums are formed beforehand, several at a time.
    template <typename V> struct Feedback
    {
        V a1, a2, y1, y2;

        V step(V forced)
        {
            V y = forced - a1 * y1 - a2 * y2;
            y = (y + 1e-25) - 1e-25;
            y2 = y1;
            y1 = y;
            return y;
        }

        void store(BiquadFilter& f, int lane) const
        {
            if constexpr (sizeof(V) == sizeof(double))
                f.y1 = y1, f.y2 = y2;
            else
                f.y1 = y1[lane], f.y2 = y2[lane];
        }
    };

    // The feed-forward sums of a filter over n samples at x, whose two predecessors precede them.
    static void forceAll(const BiquadFilter& f, const double* __restrict x, double* __restrict out, int n)
    {
        const double b0 = f.b0, b1 = f.b1, b2 = f.b2;
        for (int i = 0; i < n; ++i)
            out[i] = b1 * x[i - 1] + b0 * x[i] + b2 * x[i - 2];
    }

    static void storeInputs(BiquadFilter& f, const double* x, int n) { f.x1 = x[n - 1], f.x2 = x[n - 2]; }

    // The envelopes' inputs come from the level array, not registers: the loop has few to spare.
    void stepEnvelopes(int i)
    {
        const double* level = b_.level + i;
        const Pair x = {level[0], level[0]}, x1 = {level[-1], level[-1]}, x2 = {level[-2], level[-2]};
        const Pair fs = envelopes_.step(eb1_ * x1 + eb0_ * x + eb2_ * x2);
        b_.fast[i] = fs[0];
        b_.slow[i] = fs[1];
    }

    Filters f_;
    Buffers b_;
    int n_, metered_, ahead_;
    Feedback<Pair> side_, envelopes_;
    Feedback<double> meter_;
    Pair eb0_, eb1_, eb2_;
    uint32_t noise_[3];
};

template <int Channels>
inline __attribute__((always_inline)) vellaCorDetector<Channels>::vellaCorDetector(const Filters& f, const Buffers& b, int n, int metered, int ahead)
    : f_(f), b_(b), n_(n), metered_(metered), ahead_(ahead)
{
    for (int c = 0; c < Channels; ++c)
    {
        BiquadFilter& side = *f.side[c];
        b.x[c][-2] = side.x2, b.x[c][-1] = side.x1;
        forceAll(side, b.x[c], b.forced[c], n);
    }
    b.gains[-2] = f.meter.x2, b.gains[-1] = f.meter.x1;
    forceAll(f.meter, b.gains, b.meterForced, metered);

    const BiquadFilter &l = *f.side[0], &r = *f.side[Channels - 1];
    side_ = {Pair{l.a1, r.a1}, Pair{l.a2, r.a2}, Pair{l.y1, r.y1}, Pair{l.y2, r.y2}};
    envelopes_ = {Pair{f.fast.a1, f.slow.a1}, Pair{f.fast.a2, f.slow.a2}, Pair{f.fast.y1, f.slow.y1},
                  Pair{f.fast.y2, f.slow.y2}};
    meter_ = {f.meter.a1, f.meter.a2, f.meter.y1, f.meter.y2};
    eb0_ = Pair{f.fast.b0, f.slow.b0}, eb1_ = Pair{f.fast.b1, f.slow.b1}, eb2_ = Pair{f.fast.b2, f.slow.b2};
    // Both envelopes always see the same input, so they share its history.
    b.level[-2] = f.fast.x2, b.level[-1] = f.fast.x1;
    std::copy(f.noise, f.noise + 3, noise_);
}

// Each step runs the envelopes for the level of the step before, so that within a step no
// recursion waits for another.
template <int Channels> inline __attribute__((always_inline)) void vellaCorDetector<Channels>::step(int i)
{
    using namespace vellaCorKernelSteps;
    if (i < n_)
    {
        double level;
        if constexpr (Channels == 2)
        {
            const Pair h = side_.step(Pair{b_.forced[0][i], b_.forced[1][i]});
            level = kStereoPowerScale * (h[0] * h[0] + h[1] * h[1]);
        }
        else
        {
            level = std::fabs(side_.step(Pair{b_.forced[0][i], 0.0})[0]);
        }
        b_.level[i] = level;
        if (i > 0)
            stepEnvelopes(i - 1);
    }
    if (i < metered_)
        meter_.step(b_.meterForced[i]);
    if (i < ahead_)
        for (int c = 0; c < Channels; ++c)
            b_.noise[c][i] = nextNoise(noise_);
}

template <int Channels> inline __attribute__((always_inline)) void vellaCorDetector<Channels>::finish(int from)
{
    for (int i = from; i < std::max({n_, metered_, ahead_}); ++i)
        step(i);
    if (n_ > 0)
    {
        stepEnvelopes(n_ - 1);
        for (int c = 0; c < Channels; ++c)
        {
            storeInputs(*f_.side[c], b_.x[c], n_);
            side_.store(*f_.side[c], c);
        }
        storeInputs(f_.fast, b_.level, n_);
        storeInputs(f_.slow, b_.level, n_);
        envelopes_.store(f_.fast, 0);
        envelopes_.store(f_.slow, 1);
    }
    if (metered_ > 0)
        storeInputs(f_.meter, b_.gains, metered_);
    meter_.store(f_.meter, 0);
    std::copy(noise_, noise_ + 3, f_.noise);
}

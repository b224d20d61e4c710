#pragma once

// Per-sample steps that the reference and the fast kernel share, so that both compute them with
// the same operations in the same order.

#include <algorithm>
#include <cmath>
#include <cstdint>

// A fast-kernel stage built twice, for AVX2 (four samples per instruction, three-operand forms)
// and for the baseline, picked once at load. Both give the same values: no FMA, no contraction.
// Clang 14 emits no resolver for cloned templates, so its builds (the fuzz targets) take the
// baseline only.
#if defined(__clang__)
#define QOR_KERNEL_CLONES
#else
#define QOR_KERNEL_CLONES __attribute__((target_clones("avx2", "default")))
#endif

namespace vellaCorKernelSteps
{

// Samples beyond this (160 dB over full scale) are clamped: larger ones would overflow the
// detector's power and poison the filter histories for good.
inline constexpr double kMaxInputMagnitude = 1e8;
inline constexpr double kSmoothing = 0.001;      // per sample, for drive and output gain
inline constexpr double kGainFlush = 1e-14;      // flushes the smoothed gains of denormals
inline constexpr double kDitherScale = 1e-10;    // ±1e-10 of dither on the driven input
inline constexpr double kEnvelopeFloor = 0.001;  // the optical envelope never falls below this
inline constexpr double kStereoPowerScale = 0.7071;

// NaN and infinite samples carry no level; they count as silence.
inline double readSample(double v)
{
    const double clamped = v < -kMaxInputMagnitude ? -kMaxInputMagnitude : v > kMaxInputMagnitude ? kMaxInputMagnitude : v;
    return std::isfinite(v) ? clamped : 0.0;
}

// One value of the three-word dither generator, 0 .. 1.
inline double nextNoise(uint32_t (&state)[3])
{
    uint32_t& s1 = state[0];
    uint32_t& s2 = state[1];
    uint32_t& s3 = state[2];
    s1 = ((((s1 >> 9) ^ s1) >> 6) & 0x1FFFu) ^ (s1 << 13);
    s2 = ((((s2 >> 2) ^ s2) >> 7) & 0xFFFFFu) ^ (s2 << 20);
    s3 = ((((s3 >> 6) ^ s3) >> 8) & 0x1FFFFu) ^ (s3 << 17);
    return double(s1 ^ s2 ^ s3) * 2.3283064365e-10;
}

inline double smoothTowards(double value, double target)
{
    const double v = (target - value) * kSmoothing + value;
    return (v + kGainFlush) - kGainFlush;
}

inline double driven(double noise, double drive, double input)
{
    return (2.0 * noise - 1.0) * kDitherScale + drive * input;
}

// The programme ratio of the fast and slow envelopes sets the optical corner frequency (Hz).
// (Selections by value, not std::max and std::min, so that loops over them vectorise.)
inline double opticalCorner(double fast, double slow, double timeScale)
{
    const double f = 1e-6 < fast ? fast : 1e-6;
    const double s = 1e-6 < slow ? slow : 1e-6;
    const double r = f * 0.2 / s;
    return (4.0 * r / (r + 1.0) + 0.1) * 0.7 / timeScale;
}

// The corner the optical filter is designed at: kept off 0 and below Nyquist.
inline double opticalDesignCorner(double fc, double rate)
{
    const double limit = 0.499 * rate;
    const double capped = fc < limit ? fc : limit;
    return fc < 0.001 ? 0.001 : capped;
}

// The gain curves: which transcendental term a ratio index uses, and g(s) given those terms,
// atan(1.2·s) and tanh(s). NaN is left to the caller.
inline bool curveUsesAtan(int32_t ratio) { return ratio >= 2 && ratio <= 5; }
inline bool curveUsesTanh(int32_t ratio) { return ratio >= 5 || ratio < 0; }

inline double curveGain(int32_t ratio, double s, double atan12s, double tanhS)
{
    switch (ratio)
    {
    case 0: return 0.6 / (1.0 + 0.4 * s) + 0.4;
    case 1: return 0.8 / (1.0 + 0.4 * s) + 0.2;
    case 2: return ((atan12s * 0.92 / 1.2 + 0.08 * s) * 0.3 + (0.9 * s / (0.35 * s + 1.0) + 0.1 * s) * 0.7) / s;
    case 3: return ((atan12s * 0.95 / 1.2 + 0.05 * s) * 0.65 + (0.95 * s / (0.35 * s + 1.0) + 0.05 * s) * 0.35) / s;
    case 4: return (atan12s * 0.97 / 1.2 + 0.03 * s) / s;
    case 5: return ((atan12s * 0.982 / 1.2 + 0.018 * s) * 0.5 + (tanhS * 0.982 + 0.018 * s) * 0.5) / s;
    default: return (tanhS * 0.99 + 0.01 * s) / s;
    }
}

} // namespace vellaCorKernelSteps

#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace qorbench
{

inline constexpr double kRate = 48000.0;

// Steady 1 kHz sine at -6 dBFS.
inline std::vector<float> steadySine(int frames)
{
    std::vector<float> s(frames);
    for (int i = 0; i < frames; ++i)
        s[i] = float(0.5 * std::sin(2.0 * 3.14159265358979323846 * 1000.0 * i / kRate));
    return s;
}

// Drum-like: a decaying noise burst every 100 ms (deterministic LCG noise).
inline std::vector<float> drumHits(int frames)
{
    std::vector<float> s(frames);
    uint32_t state = 12345;
    const int period = int(kRate * 0.1);
    for (int i = 0; i < frames; ++i)
    {
        state = state * 1664525u + 1013904223u;
        const double noise = double(state) / 2147483648.0 - 1.0;
        s[i] = float(0.8 * noise * std::exp(-double(i % period) / (kRate * 0.015)));
    }
    return s;
}

} // namespace qorbench

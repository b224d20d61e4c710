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

// Pink noise (white LCG noise through a -3 dB/octave filter of three poles), about -14 dBFS RMS with peaks below -0.5 dBFS.
inline std::vector<float> pinkNoise(int frames)
{
    std::vector<float> s(frames);
    uint32_t state = 987654321;
    double b0 = 0.0, b1 = 0.0, b2 = 0.0;
    for (int i = 0; i < frames; ++i)
    {
        state = state * 1664525u + 1013904223u;
        const double white = double(state) / 2147483648.0 - 1.0;
        b0 = 0.99765 * b0 + white * 0.0990460;
        b1 = 0.96300 * b1 + white * 0.2965164;
        b2 = 0.57000 * b2 + white * 1.0526913;
        s[i] = float(0.12 * (b0 + b1 + b2 + white * 0.1848));
    }
    return s;
}

} // namespace qorbench

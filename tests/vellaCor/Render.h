#pragma once

#include "vellaCor/vellaCorEffect.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace qortest
{

inline constexpr double kPi = 3.14159265358979323846;

// A 1 kHz sine whose amplitude may change over time.
inline std::vector<float> sine(int frames, double rate, const std::function<double(int)>& amplitude)
{
    std::vector<float> s(frames);
    for (int i = 0; i < frames; ++i)
        s[i] = float(amplitude(i) * std::sin(2.0 * kPi * 1000.0 * i / rate));
    return s;
}

inline std::vector<float> sine(int frames, double rate, double amplitude)
{
    return sine(frames, rate, [amplitude](int) { return amplitude; });
}

struct Stereo
{
    std::vector<float> left, right;
};

// Runs a whole signal through the 32-bit path in blocks of the given size; mono when right is empty.
inline Stereo render(vellaCorEffect& e, const std::vector<float>& left, const std::vector<float>& right,
                     int blockSize = 512)
{
    const int frames = int(left.size());
    Stereo out{std::vector<float>(frames), std::vector<float>(frames)};
    for (int pos = 0; pos < frames; pos += blockSize)
    {
        const int n = std::min(blockSize, frames - pos);
        float* in[2] = {const_cast<float*>(left.data()) + pos,
                        right.empty() ? nullptr : const_cast<float*>(right.data()) + pos};
        float* o[2] = {out.left.data() + pos, out.right.data() + pos};
        e.process(in, o, n);
    }
    return out;
}

inline double gainReduction(vellaCorEffect& e)
{
    double v = -1.0;
    e.getParameter(13, &v);
    return v;
}

} // namespace qortest

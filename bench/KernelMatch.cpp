// How closely the fast kernel follows the reference kernel on the benchmark's signals: 10 s of
// each at 48 kHz in 512-frame blocks, mono and stereo, at the defaults and at "AttackRatio" x0.25.
// Prints the largest difference of the 32-bit outputs (of full scale) and the share that is the
// very same float.
#include "bench/BenchSignals.h"
#include "vellaCor/vellaCorEffect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
constexpr int kBlock = 512;
constexpr int kFrames = 10 * 48000;

std::vector<float> render(vellaCorEffect::Kernel kernel, const std::vector<float>& signal, bool stereo, double attack)
{
    vellaCorEffect e;
    e.setKernel(kernel);
    e.setSampleRate(qorbench::kRate);
    e.setParameter(3, attack);
    e.reset();
    // Left then right of every block; the right is a copy of the left in mono.
    std::vector<float> out;
    std::vector<float> left(kBlock), right(kBlock);
    for (size_t pos = 0; pos < signal.size(); pos += kBlock)
    {
        const int n = int(std::min<size_t>(kBlock, signal.size() - pos));
        float* in[2] = {const_cast<float*>(signal.data()) + pos, stereo ? const_cast<float*>(signal.data()) + pos : nullptr};
        float* o[2] = {left.data(), right.data()};
        e.process(in, o, n);
        out.insert(out.end(), left.begin(), left.begin() + n);
        out.insert(out.end(), right.begin(), right.begin() + n);
    }
    return out;
}
} // namespace

int main()
{
    const std::pair<const char*, std::vector<float>> signals[] = {{"sine", qorbench::steadySine(kFrames)},
                                                                  {"drums", qorbench::drumHits(kFrames)},
                                                                  {"pink", qorbench::pinkNoise(kFrames)}};
    std::printf("| signal | channels | AttackRatio | largest difference | identical floats |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const auto& [name, signal] : signals)
        for (bool stereo : {false, true})
            for (double attack : {0.5, 0.0})
            {
                const auto reference = render(vellaCorEffect::Kernel::Reference, signal, stereo, attack);
                const auto fast = render(vellaCorEffect::Kernel::Fast, signal, stereo, attack);
                double largest = 0.0;
                size_t same = 0;
                for (size_t i = 0; i < fast.size(); ++i)
                {
                    largest = std::max(largest, std::fabs(double(fast[i]) - double(reference[i])));
                    same += fast[i] == reference[i];
                }
                std::printf("| %s | %s | %s | %.1e | %.4f %% |\n", name, stereo ? "stereo" : "mono",
                            attack == 0.0 ? "x0.25" : "default", largest, 100.0 * double(same) / double(fast.size()));
            }
    return 0;
}

// How closely the fast kernel follows the reference kernel on the benchmark's signals: 10 s of
// each at 48 kHz in 512-frame blocks, mono and stereo, at the defaults and at "AttackRatio" x0.25.
// Prints the largest difference of the 32-bit outputs (of full scale) and the share that is the
// very same float.
#include "bench/BenchSignals.h"
#include "tests/vellaCor/Render.h"
#include "vellaCor/vellaCorEffect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
constexpr int kFrames = 10 * 48000;

qortest::Stereo render(vellaCorEffect::Kernel kernel, const std::vector<float>& signal, bool stereo, double attack)
{
    vellaCorEffect e;
    e.setKernel(kernel);
    e.setSampleRate(qorbench::kRate);
    e.setParameter(3, attack);
    e.reset();
    return qortest::render(e, signal, stereo ? signal : std::vector<float>{}); // 512-frame blocks
}

// Largest difference and count of identical floats, added up over both channels.
void compare(const std::vector<float>& a, const std::vector<float>& b, double& largest, size_t& same)
{
    for (size_t i = 0; i < a.size(); ++i)
    {
        largest = std::max(largest, std::fabs(double(a[i]) - double(b[i])));
        same += a[i] == b[i];
    }
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
                compare(fast.left, reference.left, largest, same);
                compare(fast.right, reference.right, largest, same);
                std::printf("| %s | %s | %s | %.1e | %.4f %% |\n", name, stereo ? "stereo" : "mono",
                            attack == 0.0 ? "x0.25" : "default", largest,
                            100.0 * double(same) / double(2 * signal.size()));
            }
    return 0;
}

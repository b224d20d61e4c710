// Seconds per sample frame (shown with an SI prefix, "n" = ns) of the 32-bit path at 48 kHz,
// in 512-frame blocks; the fast kernel, and the reference kernel for comparison.
#include "bench/BenchSignals.h"
#include "vellaCor/vellaCorEffect.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
constexpr int kBlock = 512;
constexpr int kFrames = 48000; // one second per iteration

enum class Run
{
    Process,
    Bypass
};

void runEngine(benchmark::State& state, const std::vector<float>& signal, bool stereo, double attackRatio, Run run,
               vellaCorEffect::Kernel kernel = vellaCorEffect::Kernel::Fast)
{
    vellaCorEffect e;
    e.setKernel(kernel);
    e.setSampleRate(qorbench::kRate);
    e.setParameter(3, attackRatio);
    e.reset();
    std::vector<float> outL(kBlock), outR(kBlock);
    for (auto _ : state)
    {
        for (int pos = 0; pos < kFrames; pos += kBlock)
        {
            float* in[2] = {const_cast<float*>(signal.data()) + pos, stereo ? const_cast<float*>(signal.data()) + pos : nullptr};
            float* out[2] = {outL.data(), outR.data()};
            if (run == Run::Process)
                e.process(in, out, kBlock);
            else
                e.processBypassed(in, out, kBlock);
        }
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    state.counters["per_frame"] =
        benchmark::Counter(double(kFrames), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

const std::vector<float>& sine()
{
    static const std::vector<float> s = qorbench::steadySine(kFrames + kBlock);
    return s;
}

const std::vector<float>& drums()
{
    static const std::vector<float> s = qorbench::drumHits(kFrames + kBlock);
    return s;
}

const std::vector<float>& pink()
{
    static const std::vector<float> s = qorbench::pinkNoise(kFrames + kBlock);
    return s;
}

constexpr auto kReference = vellaCorEffect::Kernel::Reference;

void SineDefaultsMono(benchmark::State& s) { runEngine(s, sine(), false, 0.5, Run::Process); }
void SineDefaultsStereo(benchmark::State& s) { runEngine(s, sine(), true, 0.5, Run::Process); }
void SineAttackX025Stereo(benchmark::State& s) { runEngine(s, sine(), true, 0.0, Run::Process); }
void DrumsAttackX025Mono(benchmark::State& s) { runEngine(s, drums(), false, 0.0, Run::Process); }
void DrumsAttackX025Stereo(benchmark::State& s) { runEngine(s, drums(), true, 0.0, Run::Process); }
void DrumsDefaultsStereo(benchmark::State& s) { runEngine(s, drums(), true, 0.5, Run::Process); }
void PinkDefaultsStereo(benchmark::State& s) { runEngine(s, pink(), true, 0.5, Run::Process); }
void ReferenceDrumsDefaultsStereo(benchmark::State& s) { runEngine(s, drums(), true, 0.5, Run::Process, kReference); }
void ReferenceDrumsAttackX025Stereo(benchmark::State& s) { runEngine(s, drums(), true, 0.0, Run::Process, kReference); }
void BypassMono(benchmark::State& s) { runEngine(s, drums(), false, 0.5, Run::Bypass); }
void BypassStereo(benchmark::State& s) { runEngine(s, drums(), true, 0.5, Run::Bypass); }
} // namespace

BENCHMARK(SineDefaultsMono)->Unit(benchmark::kMillisecond);
BENCHMARK(SineDefaultsStereo)->Unit(benchmark::kMillisecond);
BENCHMARK(SineAttackX025Stereo)->Unit(benchmark::kMillisecond);
BENCHMARK(DrumsAttackX025Mono)->Unit(benchmark::kMillisecond);
BENCHMARK(DrumsAttackX025Stereo)->Unit(benchmark::kMillisecond);
BENCHMARK(DrumsDefaultsStereo)->Unit(benchmark::kMillisecond);
BENCHMARK(PinkDefaultsStereo)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceDrumsDefaultsStereo)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceDrumsAttackX025Stereo)->Unit(benchmark::kMillisecond);
BENCHMARK(BypassMono)->Unit(benchmark::kMillisecond);
BENCHMARK(BypassStereo)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

#include "tools/Renderer.h"

#include "vellaCor/vellaCorEffect.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace
{
void accumulate(const float* const* samples, std::size_t channels, int n, std::vector<ChannelLevels>& levels,
                std::vector<double>& squares, WaveEnvelope& wave)
{
    for (int i = 0; i < n; ++i)
    {
        float lo = samples[0][i], hi = lo;
        for (std::size_t c = 0; c < channels; ++c)
        {
            const float s = samples[c][i];
            levels[c].peak = std::max(levels[c].peak, double(std::fabs(s)));
            squares[c] += double(s) * double(s);
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
        wave.add(lo, hi);
    }
}
} // namespace

double toDbfs(double linear)
{
    return linear > 0.0 ? 20.0 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

Renderer::Renderer(const RenderSettings& settings, double sampleRate, std::size_t channels, int blockSize)
    : effect_(std::make_unique<vellaCorEffect>()), channels_(channels), blockSize_(blockSize),
      inSquares_(channels), outSquares_(channels)
{
    effect_->setSampleRate(sampleRate);
    for (uint32_t i = 0; i < settings.values.size(); ++i)
        effect_->setParameter(i, settings.values[i]);
    effect_->reset(); // start at the chosen output and drive, without a glide
    result_.blockSize = blockSize;
    result_.inputLevels.resize(channels);
    result_.outputLevels.resize(channels);
}

Renderer::~Renderer() = default;

void Renderer::process(const float* const* in, float* const* out, int n)
{
    float* ins[2] = {const_cast<float*>(in[0]), channels_ > 1 ? const_cast<float*>(in[1]) : nullptr};
    float* outs[2] = {out[0], channels_ > 1 ? out[1] : nullptr};
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    effect_->process(ins, outs, n);
    result_.processingSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    double meter = 0.0;
    effect_->getParameter(13, &meter);
    result_.meter.add(float(meter), float(meter));
    result_.meterMax = std::max(result_.meterMax, meter);
    result_.meterEnd = meter;
    meterSum_ += meter;
    ++blocks_;
    accumulate(in, channels_, n, result_.inputLevels, inSquares_, result_.inputWave);
    accumulate(out, channels_, n, result_.outputLevels, outSquares_, result_.outputWave);
    result_.frames += std::size_t(n);
}

RenderResult Renderer::finish()
{
    result_.meterMean = blocks_ == 0 ? 0.0 : meterSum_ / double(blocks_);
    for (std::size_t c = 0; c < channels_ && result_.frames > 0; ++c)
    {
        result_.inputLevels[c].rms = std::sqrt(inSquares_[c] / double(result_.frames));
        result_.outputLevels[c].rms = std::sqrt(outSquares_[c] / double(result_.frames));
    }
    return result_;
}

RenderResult renderThroughEngine(const std::vector<std::vector<float>>& input, double sampleRate,
                                 const RenderSettings& settings, int blockSize,
                                 std::vector<std::vector<float>>& output)
{
    Renderer renderer(settings, sampleRate, input.size(), blockSize);
    const std::size_t frames = input.empty() ? 0 : input[0].size();
    output.assign(input.size(), std::vector<float>(frames));
    for (std::size_t pos = 0; pos < frames; pos += std::size_t(blockSize))
    {
        const int n = int(std::min(std::size_t(blockSize), frames - pos));
        const float* in[2] = {input[0].data() + pos, input.size() > 1 ? input[1].data() + pos : nullptr};
        float* out[2] = {output[0].data() + pos, output.size() > 1 ? output[1].data() + pos : nullptr};
        renderer.process(in, out, n);
    }
    return renderer.finish();
}

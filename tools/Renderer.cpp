#include "tools/Renderer.h"

#include "vellaCor/vellaCorEffect.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

ChannelLevels measureLevels(const std::vector<float>& samples)
{
    ChannelLevels levels;
    double sum = 0.0;
    for (float s : samples)
    {
        levels.peak = std::max(levels.peak, double(std::fabs(s)));
        sum += double(s) * double(s);
    }
    levels.rms = samples.empty() ? 0.0 : std::sqrt(sum / double(samples.size()));
    return levels;
}

double toDbfs(double linear)
{
    return linear > 0.0 ? 20.0 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

RenderResult renderThroughEngine(const std::vector<std::vector<float>>& input, double sampleRate,
                                 const RenderSettings& settings, int blockSize,
                                 const std::function<void(size_t, size_t)>& progress)
{
    vellaCorEffect effect;
    effect.setSampleRate(sampleRate);
    for (uint32_t i = 0; i < settings.values.size(); ++i)
        effect.setParameter(i, settings.values[i]);
    effect.reset(); // start at the chosen output and drive, without a glide

    RenderResult result;
    result.blockSize = blockSize;
    const size_t frames = input.empty() ? 0 : input[0].size();
    const bool stereo = input.size() > 1;
    result.output.assign(input.size(), std::vector<float>(frames));
    double meterSum = 0.0;
    using Clock = std::chrono::steady_clock;
    Clock::duration busy{};
    for (size_t pos = 0; pos < frames; pos += size_t(blockSize))
    {
        const int32_t n = int32_t(std::min(size_t(blockSize), frames - pos));
        float* in[2] = {const_cast<float*>(input[0].data()) + pos,
                        stereo ? const_cast<float*>(input[1].data()) + pos : nullptr};
        float* out[2] = {result.output[0].data() + pos, stereo ? result.output[1].data() + pos : nullptr};
        const auto start = Clock::now();
        effect.process(in, out, n);
        busy += Clock::now() - start;
        double meter = 0.0;
        effect.getParameter(13, &meter);
        result.meter.push_back(float(meter));
        result.meterMax = std::max(result.meterMax, meter);
        meterSum += meter;
        result.meterEnd = meter;
        if (progress)
            progress(pos + size_t(n), frames);
    }
    result.meterMean = result.meter.empty() ? 0.0 : meterSum / double(result.meter.size());
    result.processingSeconds = std::chrono::duration<double>(busy).count();
    for (const auto& c : input)
        result.inputLevels.push_back(measureLevels(c));
    for (const auto& c : result.output)
        result.outputLevels.push_back(measureLevels(c));
    return result;
}

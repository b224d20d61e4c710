#pragma once

#include "tools/SettingsParser.h"
#include "tools/WaveEnvelope.h"

#include <memory>
#include <vector>

class vellaCorEffect;

struct ChannelLevels
{
    double peak = 0.0; // linear
    double rms = 0.0;  // linear
};

struct RenderResult
{
    std::size_t frames = 0;
    int blockSize = 512;
    double meterEnd = 0.0, meterMax = 0.0, meterMean = 0.0;
    double processingSeconds = 0.0;
    std::vector<ChannelLevels> inputLevels, outputLevels;
    // For the picture: both channels together, and the meter (parameter 13) after each block.
    WaveEnvelope inputWave, outputWave, meter;
};

double toDbfs(double linear); // -inf for 0

// One or two channels through a fresh processor with the given settings, block by block as the
// caller hands them over (the 32-bit path, as hosts use it). Keeps only running statistics, so a
// file of any length can be streamed through it.
class Renderer
{
public:
    Renderer(const RenderSettings& settings, double sampleRate, std::size_t channels, int blockSize);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    int blockSize() const { return blockSize_; }
    // Planar blocks of n <= blockSize frames; in and out may not overlap.
    void process(const float* const* in, float* const* out, int n);
    RenderResult finish();

private:
    std::unique_ptr<vellaCorEffect> effect_;
    std::size_t channels_;
    int blockSize_;
    RenderResult result_;
    std::vector<double> inSquares_, outSquares_;
    double meterSum_ = 0.0;
    std::size_t blocks_ = 0;
};

// The whole of a signal held in memory through a Renderer (the demo).
RenderResult renderThroughEngine(const std::vector<std::vector<float>>& input, double sampleRate,
                                 const RenderSettings& settings, int blockSize,
                                 std::vector<std::vector<float>>& output);

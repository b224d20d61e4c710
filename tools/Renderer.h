#pragma once

#include "tools/SettingsParser.h"

#include <functional>
#include <vector>

struct ChannelLevels
{
    double peak = 0.0; // linear
    double rms = 0.0;  // linear
};

struct RenderResult
{
    std::vector<std::vector<float>> output;
    std::vector<float> meter; // parameter 13 after each block
    int blockSize = 512;
    double meterEnd = 0.0, meterMax = 0.0, meterMean = 0.0;
    double processingSeconds = 0.0;
    std::vector<ChannelLevels> inputLevels, outputLevels;
};

ChannelLevels measureLevels(const std::vector<float>& samples);
double toDbfs(double linear); // -inf for 0

// Runs one or two channels through a fresh processor with the given settings, block by block
// (the 32-bit path, as hosts use it). progress(done, total) is called after each block.
RenderResult renderThroughEngine(const std::vector<std::vector<float>>& input, double sampleRate,
                                 const RenderSettings& settings, int blockSize,
                                 const std::function<void(size_t, size_t)>& progress = {});

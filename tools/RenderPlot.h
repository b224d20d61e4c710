#pragma once

#include "tools/Renderer.h"
#include "tools/SettingsParser.h"

#include <string>
#include <vector>

// Input and output waveforms and the gain reduction over time, with a title naming the preset
// and the settings. Throws CliError when the file cannot be written.
void writeRenderPlot(const std::string& path, const std::vector<std::vector<float>>& input, double sampleRate,
                     const RenderResult& result, const RenderSettings& settings, const std::string& what);

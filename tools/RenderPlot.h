#pragma once

#include "tools/Renderer.h"
#include "tools/SettingsParser.h"

#include <cstdint>
#include <string>
#include <vector>

// Input and output waveforms and the gain reduction over time, with a title naming the preset
// and the settings, as the bytes of a PNG file.
std::vector<uint8_t> renderPlotPng(double sampleRate, const RenderResult& result, const RenderSettings& settings,
                                   const std::string& what);

#pragma once

#include "tools/Renderer.h"
#include "tools/SettingsParser.h"

#include <nlohmann/json.hpp>

#include <string>

// The JSON report of a render: settings (normalised and as shown), levels per channel, gain
// reduction statistics, duration and speed.
nlohmann::json makeRenderReport(const RenderSettings& settings, const RenderResult& result, double sampleRate,
                                size_t frames);
// Throws CliError when the file cannot be written.
void writeJsonFile(const std::string& path, const nlohmann::json& json);

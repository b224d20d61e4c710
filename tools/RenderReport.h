#pragma once

#include "tools/Renderer.h"
#include "tools/SettingsParser.h"

#include <nlohmann/json.hpp>

#include <string>

// The JSON report of a render: settings (normalised and as shown), levels per channel, gain
// reduction statistics, duration and speed.
nlohmann::json makeRenderReport(const RenderSettings& settings, const RenderResult& result, double sampleRate);
// JSON text, indented, ending in a newline. Names are bytes: what is not UTF-8 becomes U+FFFD
// instead of failing.
std::string jsonText(const nlohmann::json& json);

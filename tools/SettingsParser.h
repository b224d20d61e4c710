#pragma once

#include <array>
#include <cstdint>
#include <string>

// The twelve normalised values a render starts from, and where they came from.
struct RenderSettings
{
    std::array<double, 12> values{};
    std::string presetName = "Default";
    std::string source = "factory preset 0";
};

// Factory preset 0 "Default".
RenderSettings defaultSettings();

// --preset NAME|NUMBER: a factory preset by number (0..42) or by name, case-insensitive.
void applyFactoryPreset(RenderSettings& settings, const std::string& nameOrNumber);
// --preset-file FILE.qor
void applyPresetFile(RenderSettings& settings, const std::string& path);
// --set PARAM=VALUE
void applyAssignment(RenderSettings& settings, const std::string& assignment);

// Host parameter index for a name such as "ratio" (case-insensitive), or -1.
int32_t findHostParameter(const std::string& name);
// Normalised value for a display text: a step's text for the stepped parameters, a number in
// display units for "Time" and "Compression" (0..10) and "Output" (0..30 dB). Throws CliError.
double parseParameterValue(uint32_t index, const std::string& text);

// "Valve, 3:1, x1, Time 5.00, Compression 5.00, Output 4.50 dB, Valve 0"
std::string describeSettings(const RenderSettings& settings);

#pragma once

#include <string>

namespace Qor_LV2
{

// The bundle's Turtle: manifest.ttl, qor-vellacor.ttl (both plug-ins) and presets.ttl.
std::string manifestTurtle(const std::string& binaryName);
std::string pluginTurtle();
std::string presetsTurtle();

// URI of the editor (one UI for both plug-ins).
std::string uiUri();

// URI of the factory preset with this number.
std::string presetUri(int number);

} // namespace Qor_LV2

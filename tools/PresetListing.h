#pragma once

#include <nlohmann/json.hpp>

#include <string>

// The factory bank and the user presets in the user folder, as text or JSON.
nlohmann::json presetListingJson();
std::string presetListingText();

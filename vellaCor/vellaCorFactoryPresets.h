#pragma once

// The factory bank compiled into the plug-in: 43 numbers, 31 named presets, "Default" at 0 and
// 32, "Init" from 33 on. Pure functions; safe on any thread.

#include "QORLIB/presets/QorPresetProduct.h"

#include <cstdint>

namespace vellaCorFactoryPresets
{
inline constexpr int32_t kNumFactoryPresets = 43;
inline constexpr int32_t kNumCategories = 4;

// values (12 doubles), name (24 bytes) and info may each be null. A named preset writes only
// the indices 0 and 2..7 of values; category stays as the caller set it for presets without
// one. Any number outside 0..32 gives "Init" with every default.
void getFactoryPreset(int32_t number, double* values, char* name, QorFactoryPresetInfo* info);

// "Bus Compression", "Drums", "Vocals", "Special"; empty outside 0..3.
const char* categoryName(int32_t category);

// The bank, categories, designer and parameter flags as the preset system needs them.
const QorPresetProduct& presetProduct();
} // namespace vellaCorFactoryPresets

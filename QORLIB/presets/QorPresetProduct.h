#pragma once

#include <cstdint>

// What the product tells the preset system: its factory bank, its categories and designers, and
// the flags and defaults of its parameters 0..11.
struct QorFactoryPresetInfo
{
    int32_t category = -1; // index into categoryNames; left at -1 for presets without one
    int32_t designer = 0;  // index into designers
};

struct QorDesignerRecord
{
    const char* name;       // empty: no designer column
    const char* webAddress; // the designer's page
    int32_t logoBitmapId;   // 0: none
};

struct QorPresetProduct
{
    int32_t factoryCount;
    // values (12 doubles), name (24 bytes) and info may each be null.
    void (*getFactoryPreset)(int32_t number, double* values, char* name,
                             QorFactoryPresetInfo* info);
    uint32_t (*parameterFlags)(uint32_t index);
    double (*parameterDefault)(uint32_t index);
    const char* const* categoryNames;
    int32_t categoryCount;
    const QorDesignerRecord* designers;
    int32_t designerCount;
    // The value parameter index really takes (a stepped one's step); null: values stay as given.
    double (*onStep)(uint32_t index, double value) = nullptr;
};

// Parameter flag bits the preset system acts on.
inline constexpr uint32_t kQorKeptOnFactoryLoad = 4;
inline constexpr uint32_t kQorStoredInPresets = 8;

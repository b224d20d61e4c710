#include "vellaCor/vellaCorFactoryPresets.h"

#include "vellaCor/vellaCorIdentity.h"
#include "vellaCor/vellaCorParameters.h"

#include <cstring>

namespace vellaCorFactoryPresets
{
namespace
{
enum Category : int32_t
{
    kNone = -1,
    kBus = 0,
    kDrums = 1,
    kVocals = 2,
    kSpecial = 3,
};

struct Preset
{
    const char* name;
    int32_t category;
    // Process, Ratio, AttackRatio, Time, Compression, Output, ValveLevel (indices 0, 2..7)
    double values[7];
};

constexpr int32_t kNumNamed = 33; // 0..32; the rest are "Init"

const Preset kBank[kNumNamed] = {
    {"Default", kNone, {1, 0.5, 0.5, 0.5, 0.5, 0.15, 0.5}},
    {"CompressLite1", kSpecial, {1, 0, 0.5, 0.5, 0.5, 0.15, 0.5}},
    {"CompressLite2", kSpecial, {1, 0.1667, 0.5, 0.5, 0.5, 0.15, 0.5}},
    {"CompressMed1", kSpecial, {1, 0.3333, 0.5, 0.5, 0.5, 0.15, 0.5}},
    {"CompressMed2", kSpecial, {1, 0.5, 0.5, 0.5, 0.5, 0.15, 0.5}},
    {"CompressHeavy1", kSpecial, {1, 0.6667, 0.5, 0.5, 0.5, 0.15, 0.5}},
    {"CompressHeavy2", kSpecial, {1, 0.8333, 0.5, 0.5, 0.5, 0.15, 0.5}},
    {"SlowLim", kSpecial, {1, 1, 0.5, 0.5, 0.5, 0.1, 0.5}},
    {"FastLim", kSpecial, {1, 1, 0.5, 0.2, 0.5, 0.1, 0.5}},
    {"Leveller", kSpecial, {1, 0.5, 0.5, 0.8, 0.75, 0.3, 0.5}},
    {"Glue Things Together", kBus, {1, 0.5, 0.5, 0.6, 0.375, 0.133, 0.5}},
    {"Hats Smasher", kDrums, {1, 1, 0.5, 0, 0.775, 0.425, 0.5}},
    {"Kick Fattener", kDrums, {1, 0.8333, 0.5, 0.15, 0.5, 0.25, 0.5}},
    {"Make it Pump", kSpecial, {1, 0.3333, 0.5, 0, 0.65, 0.183, 0.5}},
    {"Snare Puncher", kDrums, {1, 0.8333, 0.5, 0.35, 0.375, 0.166, 0.5}},
    {"Kick", kDrums, {1, 0.5, 0.5, 0.3, 0.5, 0.133, 0.5}},
    {"Pop Rock Vocal", kVocals, {1, 0.5, 0.5, 0.8, 0.75, 0.3, 0.5}},
    {"Room Ambience", kSpecial, {1, 0.6667, 0.5, 0.7, 0.275, 0.166, 0.5}},
    {"Snare Bottom", kDrums, {1, 0.5, 0.5, 0.35, 0.225, 0.133, 0.5}},
    {"Snare Piccolo Top 1", kDrums, {1, 0.6667, 0.5, 0.6, 0.3, 0.183, 0.5}},
    {"Snare Piccolo Top 2", kDrums, {1, 0.5, 0.5, 0.4, 0.5, 0.216, 0.5}},
    {"Stereo Drums Over", kDrums, {1, 0.6667, 0.5, 0.55, 0.6, 0.233, 0.5}},
    {"Stereo Toms", kDrums, {1, 0.6667, 0.5, 0.5, 0.625, 0.233, 0.5}},
    {"Vox", kVocals, {0.5, 0.5, 0.5, 0.35, 0.5, 0.1, 0.5}},
    {"Gently Weeps", kSpecial, {1, 0, 0.5, 0.1, 0.325, 0, 0.5}},
    {"Punchy Kick", kDrums, {1, 1, 0.5, 0.45, 0.575, 0.15, 0.5}},
    {"Kick 2", kDrums, {1, 0.8333, 0.5, 0.35, 0.4, 0.133, 0.5}},
    {"Loud Bass", kSpecial, {1, 0.5, 0.5, 0.15, 0.675, 0.2, 0.5}},
    {"4k", kSpecial, {1, 0.3333, 0.5, 0.35, 0.575, 0.083, 0.5}},
    {"Bus Comp 1", kBus, {0.5, 0.3333, 0.5, 0.4, 0.525, 0.116, 0.5}},
    {"Bus Comp 2", kBus, {0.5, 0.8333, 0.5, 0.25, 0.525, 0.083, 0.5}},
    {"Bus Comp 3", kBus, {1, 0.3333, 0.5, 0.15, 0.625, 0.083, 0.5}},
    {"Default", kNone, {1, 0.5, 0.5, 0.5, 0.5, 0.15, 0.5}},
};

constexpr uint32_t kStoredIndices[7] = {0, 2, 3, 4, 5, 6, 7};
constexpr int32_t kNumValues = 12;

const char* const kCategoryNames[kNumCategories] = {"Bus Compression", "Drums", "Vocals",
                                                    "Special"};

// The single designer has no name (so no designer column) and points at the maker's site.
const QorDesignerRecord kDesigners[] = {{"", vellaCorIdentity::kMakerWebAddress, 0}};

void copyName(char* name, const char* text) { std::strncpy(name, text, 24); }

uint32_t flagsOf(uint32_t index) { return vellaCorParameters::getParameterFlags(index); }
double defaultOf(uint32_t index) { return vellaCorParameters::getParameterDefault(index); }
} // namespace

void getFactoryPreset(int32_t number, double* values, char* name, QorFactoryPresetInfo* info)
{
    if (number < 0 || number >= kNumNamed)
    {
        if (name != nullptr)
            copyName(name, "Init");
        if (values != nullptr)
            for (int32_t i = 0; i < kNumValues; ++i)
                values[i] = vellaCorParameters::getParameterDefault(static_cast<uint32_t>(i));
        if (info != nullptr)
            info->designer = 0;
        return;
    }
    const Preset& p = kBank[number];
    if (name != nullptr)
        copyName(name, p.name);
    if (values != nullptr)
        for (int i = 0; i < 7; ++i)
            values[kStoredIndices[i]] = p.values[i];
    if (info != nullptr)
    {
        if (p.category != kNone)
            info->category = p.category;
        info->designer = 0;
    }
}

const char* categoryName(int32_t category)
{
    return category >= 0 && category < kNumCategories ? kCategoryNames[category] : "";
}

const QorPresetProduct& presetProduct()
{
    static const QorPresetProduct product{kNumFactoryPresets, getFactoryPreset, flagsOf,
                                          defaultOf, kCategoryNames, kNumCategories,
                                          kDesigners, 1, vellaCorParameters::getParameterOnStep};
    return product;
}
} // namespace vellaCorFactoryPresets

#pragma once

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_MasterAudioEffectWrapper.h"

#include <cstddef>
#include <cstdint>

// Private-data field 21: editor-side values on their way to the processor, and the
// processor-side bridge. A slot holds a value to apply, or one of the two markers.
struct QorAAXSharedBlock
{
    static constexpr uint32_t kSlotCount = 29;
    static constexpr float kSlotUnset = -1.666f;  // after reset
    static constexpr float kSlotConsumed = -1.0f; // applied by the processor

    float slots[kSlotCount];
    uint32_t reserved;
    alignas(8) unsigned char bridge[sizeof(Qor_AAX_MasterAudioEffectWrapper)]; // constructed in place

    Qor_AAX_MasterAudioEffectWrapper* bridgeObject()
    {
        return reinterpret_cast<Qor_AAX_MasterAudioEffectWrapper*>(bridge);
    }
};

static_assert(sizeof(QorAAXSharedBlock) == 1248);
static_assert(offsetof(QorAAXSharedBlock, reserved) == 116 && offsetof(QorAAXSharedBlock, bridge) == 120);

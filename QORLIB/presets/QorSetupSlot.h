#pragma once

#include "QORLIB/presets/QorPresetRecord.h"

// One of the two A/B setups.
struct QorSetupSlot
{
    QorPresetRecord current;   // the live record
    QorPresetRecord reference; // as last loaded; the base of the modified mark
    uint8_t modified = 0;
};

#pragma once

#include "QORLIB/presets/QorPresetDirectory.h"
#include "QORLIB/presets/QorPresetRecord.h"

// One of the two A/B setups: its records and where its preset sits in the directories, so that
// switching setups brings back each one's number and the arrows step from its own place.
struct QorSetupSlot
{
    QorPresetRecord current;   // the live record
    QorPresetRecord reference; // as last loaded; the base of the modified mark
    uint8_t modified = 0;
    uint32_t kind = kQorCategoryDirectory;
    uint32_t column = 0;
    int32_t index = -1; // -1: from the clipboard or a restored session, no place in a list
};

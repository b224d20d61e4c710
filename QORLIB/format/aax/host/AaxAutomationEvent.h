#pragma once

#include "QORLIB/format/aax/sdk/AAX_Enums.h"

#include <string>

// A request a module made of the host's automation, or an update the host delivered.
struct AaxAutomationEvent
{
    enum Kind
    {
        kTouch,
        kSet,
        kRelease,
        kUpdate, // the host calling UpdateParameterNormalizedValue
    };
    Kind kind;
    std::string id;
    double value = 0.0;
    AAX_EUpdateSource source = AAX_eUpdateSource_Unspecified;
    bool touched = false; // kUpdate: the touch state the module could read
};

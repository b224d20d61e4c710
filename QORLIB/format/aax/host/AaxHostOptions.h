#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

#include <set>

// Ways the simulated host can refuse parts of a description, to see how a module copes.
struct AaxHostOptions
{
    std::set<AAX_CFieldIndex> refusedFields; // AddDataInPort and AddPrivateData fail for these
    bool refuseDescriptor = false;           // NewDescriptor gives null
    bool refuseComponentPropertyMaps = false; // a component's NewPropertyMap gives null
    bool refusePluginDefinition = false;     // the collection answers no plug-in definition
};

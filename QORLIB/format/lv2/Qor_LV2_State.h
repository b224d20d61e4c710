#pragma once

#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

namespace Qor_LV2
{

class Plugin;

// The instance's preset state in the host's session: the bank body that the AAX host keeps in
// its 'All ' chunk, both A/B setups (each as a one-program preset serialisation, current and
// reference) and which setup is active. Port values are the host's own part of the session.
// Called on the host's main thread, never beside run() on the same instance's preset data.
class State
{
public:
    static LV2_State_Status save(Plugin& plugin, LV2_URID_Map* map, LV2_State_Store_Function store,
                                 LV2_State_Handle handle);
    static LV2_State_Status restore(Plugin& plugin, LV2_URID_Map* map, LV2_State_Retrieve_Function retrieve,
                                    LV2_State_Handle handle);
};

} // namespace Qor_LV2

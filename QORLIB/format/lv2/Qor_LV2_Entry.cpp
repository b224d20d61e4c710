// The module's only export: lv2_descriptor, for the mono and the stereo plug-in.
#include "QORLIB/format/lv2/Qor_LV2_Plugin.h"
#include "vellaCor/vellaCorIdentity.h"

#include "QORLIB/format/lv2/Qor_LV2_State.h"

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstring>

#include <new>

namespace
{
template <bool Stereo>
LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const* features)
{
    Qor_LV2::Plugin* plugin = nullptr;
    try
    {
        plugin = new Qor_LV2::Plugin(rate, Stereo);
    }
    catch (...)
    {
        return nullptr;
    }
    for (int i = 0; features && features[i]; ++i)
        if (std::strcmp(features[i]->URI, LV2_URID__map) == 0)
            plugin->setMap(static_cast<LV2_URID_Map*>(features[i]->data));
    return plugin;
}

LV2_State_Status saveState(LV2_Handle h, LV2_State_Store_Function store, LV2_State_Handle handle, uint32_t,
                           const LV2_Feature* const*)
{
    auto* plugin = static_cast<Qor_LV2::Plugin*>(h);
    return Qor_LV2::State::save(*plugin, plugin->map(), store, handle);
}

LV2_State_Status restoreState(LV2_Handle h, LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle, uint32_t,
                              const LV2_Feature* const*)
{
    auto* plugin = static_cast<Qor_LV2::Plugin*>(h);
    return Qor_LV2::State::restore(*plugin, plugin->map(), retrieve, handle);
}

const LV2_State_Interface kState = {saveState, restoreState};

void connectPort(LV2_Handle h, uint32_t port, void* data) { static_cast<Qor_LV2::Plugin*>(h)->connect(port, data); }
void activate(LV2_Handle h) { static_cast<Qor_LV2::Plugin*>(h)->activate(); }
void run(LV2_Handle h, uint32_t frames) { static_cast<Qor_LV2::Plugin*>(h)->run(frames); }
void cleanup(LV2_Handle h) { delete static_cast<Qor_LV2::Plugin*>(h); }
const void* extensionData(const char* uri)
{
    return std::strcmp(uri, LV2_STATE__interface) == 0 ? &kState : nullptr;
}

const LV2_Descriptor kMono = {vellaCorIdentity::kLv2UriMono, instantiate<false>, connectPort, activate, run,
                              nullptr, cleanup, extensionData};
const LV2_Descriptor kStereo = {vellaCorIdentity::kLv2UriStereo, instantiate<true>, connectPort, activate, run,
                                nullptr, cleanup, extensionData};
} // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    switch (index)
    {
    case 0: return &kMono;
    case 1: return &kStereo;
    default: return nullptr;
    }
}

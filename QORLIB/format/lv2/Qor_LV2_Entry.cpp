// The module's only export: lv2_descriptor, for the mono and the stereo plug-in.
#include "QORLIB/format/lv2/Qor_LV2_Plugin.h"
#include "vellaCor/vellaCorIdentity.h"

#include <lv2/core/lv2.h>

#include <new>

namespace
{
template <bool Stereo>
LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const*)
{
    return new (std::nothrow) Qor_LV2::Plugin(rate, Stereo);
}

void connectPort(LV2_Handle h, uint32_t port, void* data) { static_cast<Qor_LV2::Plugin*>(h)->connect(port, data); }
void activate(LV2_Handle h) { static_cast<Qor_LV2::Plugin*>(h)->activate(); }
void run(LV2_Handle h, uint32_t frames) { static_cast<Qor_LV2::Plugin*>(h)->run(frames); }
void cleanup(LV2_Handle h) { delete static_cast<Qor_LV2::Plugin*>(h); }
const void* extensionData(const char*) { return nullptr; }

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

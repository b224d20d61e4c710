#pragma once

// The entry points an AAX module exports, as the host looks them up by name.

#include "QORLIB/format/aax/sdk/ACFBase.h"

#include <cstdint>

#define ACF_EXPORT extern "C" __attribute__((visibility("default")))

class IACFPluginDefinition;

ACF_EXPORT ACFRESULT ACFRegisterPlugin(IACFUnknown* host, IACFPluginDefinition** definition);
ACF_EXPORT ACFRESULT ACFRegisterComponent(IACFUnknown* host, uint32_t index, IACFUnknown** component);
ACF_EXPORT ACFRESULT ACFGetClassFactory(IACFUnknown* host, const acfUID& classID, const acfIID& interfaceID,
                                        void** factory);
// The number of the module's objects still alive; 0 means the module may be unloaded.
ACF_EXPORT ACFRESULT ACFCanUnloadNow();
ACF_EXPORT ACFRESULT ACFStartup(IACFUnknown* host);
ACF_EXPORT ACFRESULT ACFShutdown(IACFUnknown* host);
ACF_EXPORT ACFRESULT ACFGetSDKVersion(uint64_t* version);

using ACFRegisterPluginProc = decltype(&ACFRegisterPlugin);
using ACFRegisterComponentProc = decltype(&ACFRegisterComponent);
using ACFGetClassFactoryProc = decltype(&ACFGetClassFactory);
using ACFCanUnloadNowProc = decltype(&ACFCanUnloadNow);
using ACFStartupProc = decltype(&ACFStartup);
using ACFShutdownProc = decltype(&ACFShutdown);
using ACFGetSDKVersionProc = decltype(&ACFGetSDKVersion);

// The module's entry points: the only symbols it exports.
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Describe.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_LiveObject.h"
#include "QORLIB/format/aax/sdk/ACFAPI.h"
#include "QORLIB/format/aax/sdk/AAX_CHostServices.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_Init.h"

namespace
{
constexpr uint64_t kSDKVersion = 0x0000020501344DC8ull;
}

ACFRESULT ACFRegisterPlugin(IACFUnknown* host, IACFPluginDefinition** definition)
{
    try
    {
        return AAXRegisterPlugin(host, definition, &Qor_AAX_Describe::GetEffectDescriptions);
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

ACFRESULT ACFRegisterComponent(IACFUnknown*, uint32_t, IACFUnknown** component)
{
    if (component != nullptr)
        *component = nullptr;
    return ACF_OK;
}

ACFRESULT ACFGetClassFactory(IACFUnknown*, const acfUID&, const acfIID&, void** factory)
{
    if (factory != nullptr)
        *factory = nullptr;
    return AAX_ERROR_UNIMPLEMENTED;
}

ACFRESULT ACFCanUnloadNow() { return Qor_AAX_LiveObject::count(); }

ACFRESULT ACFStartup(IACFUnknown* host)
{
    try
    {
        if (!AAX_CHostServices::Exists() && host != nullptr)
            AAX_CHostServices::Create(host);
        else if (AAX_CHostServices::Exists() && host == nullptr)
            AAX_CHostServices::Destroy();
        return ACF_OK;
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

ACFRESULT ACFShutdown(IACFUnknown*)
{
    AAX_CHostServices::Destroy();
    return ACF_OK;
}

ACFRESULT ACFGetSDKVersion(uint64_t* version)
{
    if (version == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *version = kSDKVersion;
    return ACF_OK;
}

#include "QORLIB/format/aax/host/AaxCollection.h"

#include "QORLIB/format/aax/host/AaxHostOptions.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_UIDs.h"

AAX_IEffectDescriptor* AaxCollection::NewDescriptor()
{
    if (options_.refuseDescriptor)
        return nullptr;
    descriptors_.push_back(std::make_unique<AaxEffectRecord>(options_));
    return descriptors_.back().get();
}

AAX_Result AaxCollection::AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor)
{
    if (effectID == nullptr || effectID[0] == '\0')
        return AAX_ERROR_INVALID_ARGUMENT;
    for (const auto& d : descriptors_)
        if (d.get() == descriptor)
        {
            effects.push_back({effectID, d.get()});
            return AAX_SUCCESS;
        }
    return AAX_ERROR_NULL_OBJECT;
}

AAX_Result AaxCollection::SetManufacturerName(const char* name)
{
    manufacturer = name != nullptr ? name : "";
    return AAX_SUCCESS;
}

AAX_Result AaxCollection::AddPackageName(const char* name)
{
    packageNames.emplace_back(name != nullptr ? name : "");
    return AAX_SUCCESS;
}

AAX_Result AaxCollection::SetPackageVersion(uint32_t version)
{
    packageVersion = version;
    return AAX_SUCCESS;
}

AAX_IPropertyMap* AaxCollection::NewPropertyMap()
{
    maps_.push_back(std::make_unique<AaxPropertyMap>());
    return maps_.back().get();
}

ACFRESULT AaxCollection::QueryInterface(const acfIID& iid, void** out)
{
    if (out == nullptr)
        return ACF_E_UNEXPECTED;
    *out = nullptr;
    if (!options_.refusePluginDefinition && (iid == IID_IACFPluginDefinition || iid == IID_IACFUnknown))
        *out = static_cast<IACFPluginDefinition*>(this);
    return *out != nullptr ? ACF_OK : ACF_E_NOINTERFACE;
}

#include "QORLIB/format/aax/host/AaxEffectRecord.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"

namespace
{
template <typename T, typename I> T* ownedBy(const std::vector<std::unique_ptr<T>>& owned, I* candidate)
{
    for (const auto& o : owned)
        if (o.get() == candidate)
            return o.get();
    return nullptr;
}
} // namespace

AAX_IComponentDescriptor* AaxEffectRecord::NewComponentDescriptor()
{
    components_.push_back(std::make_unique<AaxComponentRecord>(options_));
    return components_.back().get();
}

AAX_Result AaxEffectRecord::AddComponent(AAX_IComponentDescriptor* component)
{
    const AaxComponentRecord* record = ownedBy(components_, component);
    if (record == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    components.push_back(record->snapshot());
    return AAX_SUCCESS;
}

AAX_Result AaxEffectRecord::AddName(const char* name)
{
    if (name == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    names.emplace_back(name);
    return AAX_SUCCESS;
}

AAX_Result AaxEffectRecord::AddCategory(uint32_t category)
{
    categories.push_back(category);
    return AAX_SUCCESS;
}

AAX_Result AaxEffectRecord::AddProcPtr(AAX_CProcPtr proc, AAX_EProcPtrID procID)
{
    if (proc == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    procedures.emplace_back(procID, proc);
    return AAX_SUCCESS;
}

AAX_IPropertyMap* AaxEffectRecord::NewPropertyMap()
{
    maps_.push_back(std::make_unique<AaxPropertyMap>());
    return maps_.back().get();
}

AAX_Result AaxEffectRecord::AddResourceInfo(AAX_EResourceType type, const char* info)
{
    if (info == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    resources.emplace_back(type, info);
    return AAX_SUCCESS;
}

AAX_Result AaxEffectRecord::AddMeterDescription(AAX_CTypeID meterID, const char* name, AAX_IPropertyMap* properties)
{
    const AaxPropertyMap* map = ownedBy(maps_, properties);
    meters.push_back({meterID, name != nullptr ? name : "", map != nullptr ? map->properties() : AaxProperties{}});
    return AAX_SUCCESS;
}

AAX_CProcPtr AaxEffectRecord::procedure(AAX_EProcPtrID procID) const
{
    for (auto it = procedures.rbegin(); it != procedures.rend(); ++it)
        if (it->first == procID)
            return it->second;
    return nullptr;
}

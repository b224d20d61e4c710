#include "QORLIB/format/aax/host/AaxPropertyMap.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"

#include <algorithm>

AAX_CBoolean AaxPropertyMap::GetProperty(AAX_EProperty key, AAX_CPropertyValue* value) const
{
    for (auto it = properties_.rbegin(); it != properties_.rend(); ++it)
        if (it->first == key)
        {
            if (value != nullptr)
                *value = it->second;
            return 1;
        }
    return 0;
}

AAX_Result AaxPropertyMap::AddProperty(AAX_EProperty key, AAX_CPropertyValue value)
{
    properties_.emplace_back(key, value);
    return AAX_SUCCESS;
}

AAX_Result AaxPropertyMap::RemoveProperty(AAX_EProperty key)
{
    std::erase_if(properties_, [key](const auto& p) { return p.first == key; });
    return AAX_SUCCESS;
}

int32_t aaxProperty(const AaxProperties& properties, int32_t key, int32_t fallback)
{
    for (auto it = properties.rbegin(); it != properties.rend(); ++it)
        if (it->first == key)
            return it->second;
    return fallback;
}

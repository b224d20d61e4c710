#pragma once

#include "QORLIB/format/aax/sdk/AAX_IPropertyMap.h"

#include <utility>
#include <vector>

using AaxProperties = std::vector<std::pair<int32_t, int32_t>>; // (key, value) in the order added

// A host-made property map: keeps every property in the order it was added.
class AaxPropertyMap : public AAX_IPropertyMap
{
public:
    AAX_CBoolean GetProperty(AAX_EProperty key, AAX_CPropertyValue* value) const override;
    AAX_Result AddProperty(AAX_EProperty key, AAX_CPropertyValue value) override;
    AAX_Result RemoveProperty(AAX_EProperty key) override;

    const AaxProperties& properties() const { return properties_; }

private:
    AaxProperties properties_;
};

// The value of key, or fallback.
int32_t aaxProperty(const AaxProperties& properties, int32_t key, int32_t fallback);

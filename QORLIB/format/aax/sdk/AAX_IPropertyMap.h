#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"
#include "QORLIB/format/aax/sdk/AAX_Enums.h"

// A set of (key, value) properties; made and owned by the host.
class AAX_IPropertyMap
{
public:
    virtual ~AAX_IPropertyMap() = default;
    // True when the key is present; value is then set.
    virtual AAX_CBoolean GetProperty(AAX_EProperty key, AAX_CPropertyValue* value) const = 0;
    virtual AAX_Result AddProperty(AAX_EProperty key, AAX_CPropertyValue value) = 0;
    virtual AAX_Result RemoveProperty(AAX_EProperty key) = 0;
};

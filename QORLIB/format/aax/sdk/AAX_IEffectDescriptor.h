#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"
#include "QORLIB/format/aax/sdk/AAX_Enums.h"

class AAX_IComponentDescriptor;
class AAX_IPropertyMap;

// Describes one effect: its components, creation procedures, resources and meters. Made and
// owned by the host; main thread, during registration only.
class AAX_IEffectDescriptor
{
public:
    virtual ~AAX_IEffectDescriptor() = default;

    virtual AAX_IComponentDescriptor* NewComponentDescriptor() = 0;
    // Takes a copy of the component as it is now.
    virtual AAX_Result AddComponent(AAX_IComponentDescriptor* component) = 0;
    virtual AAX_Result AddName(const char* name) = 0;
    virtual AAX_Result AddCategory(uint32_t category) = 0;
    virtual AAX_Result AddProcPtr(AAX_CProcPtr proc, AAX_EProcPtrID procID) = 0;
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_Result AddResourceInfo(AAX_EResourceType type, const char* info) = 0;
    virtual AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* name, AAX_IPropertyMap* properties) = 0;
};

#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

class AAX_IEffectDescriptor;
class AAX_IPropertyMap;
class IACFUnknown;

// The host's record of what a module contains. Main thread, during registration only.
class AAX_ICollection
{
public:
    virtual ~AAX_ICollection() = default;

    virtual AAX_IEffectDescriptor* NewDescriptor() = 0;
    virtual AAX_Result AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor) = 0;
    virtual AAX_Result SetManufacturerName(const char* name) = 0;
    virtual AAX_Result AddPackageName(const char* name) = 0;
    virtual AAX_Result SetPackageVersion(uint32_t version) = 0;
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    // The object that answers for the plug-in definition handed back to the host.
    virtual IACFUnknown* GetIUnknown() = 0;
};

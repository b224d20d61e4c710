#pragma once

#include "QORLIB/format/aax/sdk/AAX_ICollection.h"

// The module's view of the host's collection, found through the host's IACFUnknown. Every call
// fails (null or -20004) when the host offers no collection.
class AAX_VCollection : public AAX_ICollection
{
public:
    explicit AAX_VCollection(IACFUnknown* host);

    AAX_IEffectDescriptor* NewDescriptor() override;
    AAX_Result AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor) override;
    AAX_Result SetManufacturerName(const char* name) override;
    AAX_Result AddPackageName(const char* name) override;
    AAX_Result SetPackageVersion(uint32_t version) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    IACFUnknown* GetIUnknown() override;

private:
    AAX_ICollection* host_ = nullptr;
};

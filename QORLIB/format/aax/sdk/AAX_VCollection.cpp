#include "QORLIB/format/aax/sdk/AAX_VCollection.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_UIDs.h"

AAX_VCollection::AAX_VCollection(IACFUnknown* host)
{
    void* collection = nullptr;
    if (host != nullptr && host->QueryInterface(IID_IAAXCollectionV1, &collection) == ACF_OK)
        host_ = static_cast<AAX_ICollection*>(collection);
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor() { return host_ ? host_->NewDescriptor() : nullptr; }

AAX_Result AAX_VCollection::AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor)
{
    return host_ ? host_->AddEffect(effectID, descriptor) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::SetManufacturerName(const char* name)
{
    return host_ ? host_->SetManufacturerName(name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::AddPackageName(const char* name)
{
    return host_ ? host_->AddPackageName(name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::SetPackageVersion(uint32_t version)
{
    return host_ ? host_->SetPackageVersion(version) : AAX_ERROR_NULL_OBJECT;
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap() { return host_ ? host_->NewPropertyMap() : nullptr; }

IACFUnknown* AAX_VCollection::GetIUnknown() { return host_ ? host_->GetIUnknown() : nullptr; }

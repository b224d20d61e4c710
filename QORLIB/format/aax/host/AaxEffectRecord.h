#pragma once

#include "QORLIB/format/aax/host/AaxComponentRecord.h"
#include "QORLIB/format/aax/host/AaxPropertyMap.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectDescriptor.h"

#include <memory>
#include <string>
#include <vector>

struct AaxHostOptions;

struct AaxMeterRecord
{
    AAX_CTypeID id;
    std::string name;
    AaxProperties properties;
};

// The host's effect descriptor: records what the module describes.
class AaxEffectRecord : public AAX_IEffectDescriptor
{
public:
    explicit AaxEffectRecord(const AaxHostOptions& options) : options_(options) {}

    AAX_IComponentDescriptor* NewComponentDescriptor() override;
    AAX_Result AddComponent(AAX_IComponentDescriptor* component) override;
    AAX_Result AddName(const char* name) override;
    AAX_Result AddCategory(uint32_t category) override;
    AAX_Result AddProcPtr(AAX_CProcPtr proc, AAX_EProcPtrID procID) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result AddResourceInfo(AAX_EResourceType type, const char* info) override;
    AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* name, AAX_IPropertyMap* properties) override;

    // Null when the module registered none for that ID.
    AAX_CProcPtr procedure(AAX_EProcPtrID procID) const;

    std::vector<std::string> names;
    std::vector<uint32_t> categories;
    std::vector<AaxComponentSnapshot> components;
    std::vector<std::pair<AAX_EProcPtrID, AAX_CProcPtr>> procedures; // in the order added
    std::vector<std::pair<AAX_EResourceType, std::string>> resources;
    std::vector<AaxMeterRecord> meters;

private:
    const AaxHostOptions& options_;
    std::vector<std::unique_ptr<AaxComponentRecord>> components_;
    std::vector<std::unique_ptr<AaxPropertyMap>> maps_;
};

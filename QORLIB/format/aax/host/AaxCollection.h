#pragma once

#include "QORLIB/format/aax/host/AaxEffectRecord.h"
#include "QORLIB/format/aax/sdk/AAX_ICollection.h"
#include "QORLIB/format/aax/sdk/ACFBase.h"

#include <memory>
#include <string>
#include <vector>

struct AaxHostOptions;

// The collection a module describes itself into; also the plug-in definition handed back.
// Everything the module registered stays readable afterwards.
class AaxCollection : public AAX_ICollection, public IACFPluginDefinition
{
public:
    explicit AaxCollection(const AaxHostOptions& options) : options_(options) {}

    AAX_IEffectDescriptor* NewDescriptor() override;
    AAX_Result AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor) override;
    AAX_Result SetManufacturerName(const char* name) override;
    AAX_Result AddPackageName(const char* name) override;
    AAX_Result SetPackageVersion(uint32_t version) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    IACFUnknown* GetIUnknown() override { return this; }

    ACFRESULT QueryInterface(const acfIID& iid, void** out) override;
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }

    struct Effect
    {
        std::string id;
        const AaxEffectRecord* record;
    };
    std::string manufacturer;
    std::vector<std::string> packageNames;
    uint32_t packageVersion = 0;
    std::vector<Effect> effects;
    // Every descriptor made, added as an effect or not.
    const std::vector<std::unique_ptr<AaxEffectRecord>>& descriptors() const { return descriptors_; }

private:
    const AaxHostOptions& options_;
    std::vector<std::unique_ptr<AaxEffectRecord>> descriptors_;
    std::vector<std::unique_ptr<AaxPropertyMap>> maps_;
};

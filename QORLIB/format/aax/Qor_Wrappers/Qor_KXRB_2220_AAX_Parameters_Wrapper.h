#pragma once

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_ControllerWrapper.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_LiveObject.h"
#include "QORLIB/format/aax/sdk/AAX_CEffectParameters.h"

// The parameters object of one instance: the host parameters and their packets, the
// controller-side bridge, the private-data reset and the two state chunks 'elck' (the SDK's
// controls) and 'All ' (the product's state). Main thread only.
class Qor_KXRB_2220_AAX_Parameters_Wrapper : public AAX_CEffectParameters
{
public:
    static constexpr AAX_CTypeID kProductChunkID = AAX_FourCC("All ");
    static constexpr uint32_t kTrailerWord = 0x00300000;
    static constexpr uint32_t kTrailerSize = 8;
    static constexpr int32_t kMinimumProductChunk = 12;

    Qor_KXRB_2220_AAX_Parameters_Wrapper();

    // Creation procedure 0; null when the object cannot be built.
    static AAX_IEffectParameters* Create();

    Qor_AAX_ControllerWrapper& bridge() { return bridge_; }

    AAX_Result GetParameterStringFromValue(AAX_CParamID id, double value, AAX_IString* text,
                                           int32_t maxLength) const override;
    AAX_Result UpdateParameterNormalizedValue(AAX_CParamID id, double value, AAX_EUpdateSource source) override;
    AAX_Result ResetFieldData(AAX_CFieldIndex field, void* data, uint32_t size) const override;

    AAX_Result GetNumberOfChunks(int32_t* count) const override;
    AAX_Result GetChunkIDFromIndex(int32_t index, AAX_CTypeID* chunkID) const override;
    AAX_Result GetChunkSize(AAX_CTypeID chunkID, uint32_t* size) const override;
    AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) const override;
    AAX_Result SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) override;

protected:
    AAX_Result EffectInit() override;

private:
    // The product controller's chunk (prefix and body) in its buffer; its size, 0 without one.
    uint32_t productState(void** data) const;

    Qor_AAX_LiveObject live_;
    Qor_AAX_ControllerWrapper bridge_;
    mutable uint32_t productSize_ = 0; // size given by the last GetChunkSize('All ')
};

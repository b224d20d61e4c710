#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"
#include "QORLIB/format/aax/sdk/AAX_Enums.h"
#include "QORLIB/format/aax/sdk/ACFBase.h"

class AAX_IString;
struct AAX_SPlugInChunk;

// The parameters object of one plug-in instance, as the host calls it. Main thread only.
class AAX_IEffectParameters : public IACFUnknown
{
public:
    // controller answers IID_IAAXControllerV1 and IID_IAAXAutomationDelegateV1.
    virtual AAX_Result Initialize(IACFUnknown* controller) = 0;
    virtual AAX_Result Uninitialize() = 0;

    virtual AAX_Result GetNumberOfParameters(int32_t* count) const = 0;
    virtual AAX_Result GetMasterBypassParameter(AAX_IString* id) const = 0;
    virtual AAX_Result GetParameterIDFromIndex(int32_t index, AAX_IString* id) const = 0;
    virtual AAX_Result GetParameterName(AAX_CParamID id, AAX_IString* name) const = 0;
    virtual AAX_Result GetParameterNormalizedValue(AAX_CParamID id, double* value) const = 0;
    virtual AAX_Result SetParameterNormalizedValue(AAX_CParamID id, double value) = 0;
    virtual AAX_Result UpdateParameterNormalizedValue(AAX_CParamID id, double value, AAX_EUpdateSource source) = 0;
    virtual AAX_Result GetParameterValueString(AAX_CParamID id, AAX_IString* text, int32_t maxLength) const = 0;
    virtual AAX_Result GetParameterStringFromValue(AAX_CParamID id, double value, AAX_IString* text,
                                                   int32_t maxLength) const = 0;
    virtual AAX_Result GetNumberOfChanges(int32_t* changes) const = 0;
    virtual AAX_Result TouchParameter(AAX_CParamID id) = 0;
    virtual AAX_Result ReleaseParameter(AAX_CParamID id) = 0;

    // Posts the packets of changed parameters to the data ports.
    virtual AAX_Result GenerateCoefficients() = 0;
    // Initialises a private-data field of the context before the process procedure sees it.
    virtual AAX_Result ResetFieldData(AAX_CFieldIndex field, void* data, uint32_t size) const = 0;

    virtual AAX_Result GetNumberOfChunks(int32_t* count) const = 0;
    virtual AAX_Result GetChunkIDFromIndex(int32_t index, AAX_CTypeID* chunkID) const = 0;
    // Bytes of data; asked before GetChunk, which fills a chunk of that size.
    virtual AAX_Result GetChunkSize(AAX_CTypeID chunkID, uint32_t* size) const = 0;
    virtual AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) const = 0;
    virtual AAX_Result SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) = 0;
    virtual AAX_Result CompareActiveChunk(const AAX_SPlugInChunk* chunk, AAX_CBoolean* isEqual) const = 0;

protected:
    ~AAX_IEffectParameters() = default;
};

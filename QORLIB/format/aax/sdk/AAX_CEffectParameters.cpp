#include "QORLIB/format/aax/sdk/AAX_CEffectParameters.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IAutomationDelegate.h"
#include "QORLIB/format/aax/sdk/AAX_IController.h"
#include "QORLIB/format/aax/sdk/AAX_IString.h"
#include "QORLIB/format/aax/sdk/AAX_SPlugInChunk.h"
#include "QORLIB/format/aax/sdk/AAX_UIDs.h"

#include <cstring>

AAX_Result AAX_CEffectParameters::Initialize(IACFUnknown* controller)
{
    if (controller == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    controller_ = ACFQueryInterface<AAX_IController>(controller, IID_IAAXControllerV1);
    automation_ = ACFQueryInterface<AAX_IAutomationDelegate>(controller, IID_IAAXAutomationDelegateV1);
    mParameterManager.Initialize(automation_);
    mPacketDispatcher.Initialize(controller_, &mParameterManager);
    return EffectInit();
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
    mParameterManager.RemoveAll();
    mPacketDispatcher.Initialize(nullptr, nullptr);
    controller_ = nullptr;
    automation_ = nullptr;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetText(AAX_IString* out, const std::string& text, int32_t maxLength)
{
    if (out == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::size_t limit = maxLength > 0 ? std::size_t(maxLength) : 0;
    out->Set(text.substr(0, limit).c_str());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfParameters(int32_t* count) const
{
    if (count == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *count = mParameterManager.NumParameters();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter(AAX_IString* id) const
{
    return SetText(id, cDefaultMasterBypassID, kNoLimit);
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex(int32_t index, AAX_IString* id) const
{
    const AAX_IParameter* p = mParameterManager.GetParameter(index);
    return p != nullptr ? SetText(id, p->Identifier(), kNoLimit) : AAX_Result(AAX_ERROR_INVALID_PARAMETER_ID);
}

AAX_Result AAX_CEffectParameters::GetParameterName(AAX_CParamID id, AAX_IString* name) const
{
    const AAX_IParameter* p = mParameterManager.GetParameterByID(id);
    return p != nullptr ? SetText(name, p->Name(), kNoLimit) : AAX_Result(AAX_ERROR_INVALID_PARAMETER_ID);
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue(AAX_CParamID id, double* value) const
{
    const AAX_IParameter* p = mParameterManager.GetParameterByID(id);
    if (p == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (value == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *value = p->GetNormalizedValue();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue(AAX_CParamID id, double value)
{
    AAX_IParameter* p = mParameterManager.GetParameterByID(id);
    if (p == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    p->SetNormalizedValue(value);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue(AAX_CParamID id, double value, AAX_EUpdateSource)
{
    AAX_IParameter* p = mParameterManager.GetParameterByID(id);
    if (p == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    const double before = p->GetNormalizedValue();
    p->UpdateNormalizedValue(value);
    const AAX_Result result = mPacketDispatcher.SetDirty(id);
    if (p->GetNormalizedValue() != before)
        ++mNumPlugInChanges;
    return result;
}

AAX_Result AAX_CEffectParameters::GetParameterValueString(AAX_CParamID id, AAX_IString* text, int32_t maxLength) const
{
    const AAX_IParameter* p = mParameterManager.GetParameterByID(id);
    return p != nullptr ? SetText(text, p->GetValueString(), maxLength) : AAX_Result(AAX_ERROR_INVALID_PARAMETER_ID);
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue(AAX_CParamID id, double value, AAX_IString* text,
                                                              int32_t maxLength) const
{
    const AAX_IParameter* p = mParameterManager.GetParameterByID(id);
    return p != nullptr ? SetText(text, p->GetValueString(value), maxLength)
                        : AAX_Result(AAX_ERROR_INVALID_PARAMETER_ID);
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges(int32_t* changes) const
{
    if (changes == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *changes = mNumPlugInChanges;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::TouchParameter(AAX_CParamID id)
{
    AAX_IParameter* p = mParameterManager.GetParameterByID(id);
    if (p == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    p->Touch();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::ReleaseParameter(AAX_CParamID id)
{
    AAX_IParameter* p = mParameterManager.GetParameterByID(id);
    if (p == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    p->Release();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients() { return mPacketDispatcher.Dispatch(); }

AAX_Result AAX_CEffectParameters::ResetFieldData(AAX_CFieldIndex, void* data, uint32_t size) const
{
    if (data != nullptr)
        std::memset(data, 0, size);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChunks(int32_t* count) const
{
    if (count == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *count = 1;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex(int32_t index, AAX_CTypeID* chunkID) const
{
    if (chunkID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *chunkID = index == 0 ? kControlsChunkID : 0;
    return index == 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_CHUNK_INDEX;
}

void AAX_CEffectParameters::BuildControls(AAX_CChunkDataParser& parser) const
{
    parser.Clear();
    for (int32_t i = 0; i < mParameterManager.NumParameters(); ++i)
    {
        const AAX_IParameter* p = mParameterManager.GetParameter(i);
        parser.AddDouble(p->Identifier(), p->GetNormalizedValue());
    }
}

AAX_Result AAX_CEffectParameters::GetChunkSize(AAX_CTypeID chunkID, uint32_t* size) const
{
    if (size == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (chunkID != kControlsChunkID)
    {
        *size = 0;
        return AAX_ERROR_INVALID_CHUNK_ID;
    }
    AAX_CChunkDataParser parser;
    BuildControls(parser);
    const int32_t built = parser.GetChunkDataSize();
    if (built < 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    controlsSize_ = built;
    *size = uint32_t(built);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) const
{
    if (chunkID != kControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;
    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    AAX_CChunkDataParser parser;
    BuildControls(parser);
    const int32_t built = parser.GetChunkDataSize();
    if (built != controlsSize_ || built == 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    chunk->fVersion = parser.GetChunkVersion();
    std::memset(chunk->fName, 0, sizeof chunk->fName);
    std::memcpy(chunk->fName, kControlsChunkName, strnlen(kControlsChunkName, sizeof chunk->fName - 1));
    return parser.WriteChunkData(chunk) ? AAX_SUCCESS : AAX_ERROR_INCORRECT_CHUNK_SIZE;
}

AAX_Result AAX_CEffectParameters::SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk)
{
    if (chunkID != kControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;
    AAX_CChunkDataParser parser;
    // Nothing changes unless the whole chunk reads cleanly.
    const AAX_Result read = parser.LoadChunkData(chunk);
    if (read != AAX_SUCCESS)
        return read;
    for (int32_t i = 0; i < mParameterManager.NumParameters(); ++i)
    {
        AAX_IParameter* p = mParameterManager.GetParameter(i);
        double value = 0.0;
        if (parser.FindDouble(p->Identifier(), &value))
            p->SetNormalizedValue(value);
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk(const AAX_SPlugInChunk* chunk, AAX_CBoolean* isEqual) const
{
    if (chunk == nullptr || isEqual == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *isEqual = 1;
    if (chunk->fChunkID != kControlsChunkID)
        return AAX_SUCCESS;
    AAX_CChunkDataParser parser;
    if (parser.LoadChunkData(chunk) != AAX_SUCCESS)
    {
        *isEqual = 0;
        return AAX_SUCCESS;
    }
    for (int32_t i = 0; i < mParameterManager.NumParameters(); ++i)
    {
        const AAX_IParameter* p = mParameterManager.GetParameter(i);
        double value = 0.0;
        if (!parser.FindDouble(p->Identifier(), &value) || value != p->GetNormalizedValue())
            *isEqual = 0;
    }
    return AAX_SUCCESS;
}

#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_AAX_Parameters_Wrapper.h"

#include "QORLIB/QorBaseParametersController.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Context.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_HostDefaults.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_PrivateData.h"
#include "QORLIB/format/aax/sdk/AAX_CBinaryDisplayDelegate.h"
#include "QORLIB/format/aax/sdk/AAX_CBinaryTaperDelegate.h"
#include "QORLIB/format/aax/sdk/AAX_CLinearTaperDelegate.h"
#include "QORLIB/format/aax/sdk/AAX_CNumberDisplayDelegate.h"
#include "QORLIB/format/aax/sdk/AAX_CParameter.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IAutomationDelegate.h"
#include "QORLIB/format/aax/sdk/AAX_SPlugInChunk.h"
#include "vellaCor/vellaCorParameters.h"

#include <cstring>

namespace
{
void putLittleEndian(char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char(uint8_t(v >> (8 * i)));
}

int32_t findParameterIndex(AAX_CParamID id)
{
    return id != nullptr ? vellaCorParameters::findParameterIdentifier(id) : -1;
}
} // namespace

Qor_KXRB_2220_AAX_Parameters_Wrapper::Qor_KXRB_2220_AAX_Parameters_Wrapper() { bridge_.parameters = this; }

AAX_IEffectParameters* Qor_KXRB_2220_AAX_Parameters_Wrapper::Create()
{
    try
    {
        return new Qor_KXRB_2220_AAX_Parameters_Wrapper();
    }
    catch (...)
    {
        return nullptr;
    }
}

AAX_Result Qor_KXRB_2220_AAX_Parameters_Wrapper::EffectInit()
{
    auto* bypass = new AAX_CParameter<bool>(cDefaultMasterBypassID, "Master Bypass", false,
                                            AAX_CBinaryTaperDelegate<bool>(),
                                            AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
    bypass->SetType(AAX_eParameterType_Discrete);
    bypass->SetNumberOfSteps(2);
    mParameterManager.AddParameter(bypass);

    const auto& ids = vellaCorParameters::tables().identifiers;
    for (uint32_t i = 0; i < vellaCorParameters::kNumPushFlags; ++i)
    {
        if ((vellaCorParameters::getParameterFlags(i) & vellaCorParameters::kHostParameter) == 0)
            continue;
        auto* p = new AAX_CParameter<float>(ids[i].c_str(), ids[i].c_str(), float(Qor_AAX_HostDefaults::value(i)),
                                            AAX_CLinearTaperDelegate<float>(0.0f, 1.0f),
                                            AAX_CNumberDisplayDelegate<float, 2, 0>(), true);
        p->SetType(AAX_eParameterType_Continuous);
        p->SetNumberOfSteps(uint32_t(vellaCorParameters::getParameterStepCount(i)));
        mParameterManager.AddParameter(p);
    }

    AAX_Result result = mPacketDispatcher.RegisterPacket(cDefaultMasterBypassID, QorAAXContext::kBypass);
    for (uint32_t i = 0; i < vellaCorParameters::kNumPushFlags && result == AAX_SUCCESS; ++i)
        result = mPacketDispatcher.RegisterPacket(ids[i].c_str(), AAX_CFieldIndex(QorAAXContext::kFirstParameterPort + i));
    return result;
}

AAX_Result Qor_KXRB_2220_AAX_Parameters_Wrapper::GetParameterStringFromValue(AAX_CParamID id, double value,
                                                                             AAX_IString* text, int32_t maxLength) const
{
    const int32_t index = findParameterIndex(id);
    if (index < 0)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    std::string display = vellaCorParameters::getParameterDisplay(uint32_t(index), value);
    if (index == vellaCorParameters::kGainReduction)
        display += " dB ";
    return SetText(text, display, maxLength);
}

AAX_Result Qor_KXRB_2220_AAX_Parameters_Wrapper::UpdateParameterNormalizedValue(AAX_CParamID id, double value,
                                                                                AAX_EUpdateSource source)
{
    if (mParameterManager.GetParameterByID(id) == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    const AAX_Result result = AAX_CEffectParameters::UpdateParameterNormalizedValue(id, value, source);

    // Only a change the user makes on a touched control is an edit of the controller side;
    // values the host replays from automation, a chunk or delay compensation are not.
    const int32_t index = findParameterIndex(id);
    if (index < 0 || index >= int32_t(vellaCorParameters::kNumPushFlags) || source == AAX_eUpdateSource_Parameter ||
        source == AAX_eUpdateSource_Chunk || source == AAX_eUpdateSource_Delay || AutomationDelegate() == nullptr)
        return result;
    AAX_CBoolean touched = 0;
    if (AutomationDelegate()->GetTouchState(id, &touched) == AAX_SUCCESS && touched != 0)
        bridge_.hostEcho(index, value);
    return result;
}

AAX_Result Qor_KXRB_2220_AAX_Parameters_Wrapper::ResetFieldData(AAX_CFieldIndex field, void* data, uint32_t size) const
{
    return Qor_AAX_PrivateData::resetField(field, data, size);
}

AAX_Result Qor_KXRB_2220_AAX_Parameters_Wrapper::GetNumberOfChunks(int32_t* count) const
{
    if (count == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *count = 2;
    return AAX_SUCCESS;
}

AAX_Result Qor_KXRB_2220_AAX_Parameters_Wrapper::GetChunkIDFromIndex(int32_t index, AAX_CTypeID* chunkID) const
{
    if (chunkID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (index == 1)
    {
        *chunkID = kProductChunkID;
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetChunkIDFromIndex(index, chunkID);
}

uint32_t Qor_KXRB_2220_AAX_Parameters_Wrapper::productState(void** data) const
{
    *data = nullptr;
    const uint32_t size = bridge_.controller != nullptr ? bridge_.controller->getChunk(data) : 0;
    return *data != nullptr ? size : 0;
}

AAX_Result Qor_KXRB_2220_AAX_Parameters_Wrapper::GetChunkSize(AAX_CTypeID chunkID, uint32_t* size) const
{
    if (size == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (chunkID != kProductChunkID)
        return AAX_CEffectParameters::GetChunkSize(chunkID, size);
    void* data = nullptr;
    productSize_ = productState(&data) + kTrailerSize;
    *size = productSize_;
    return AAX_SUCCESS;
}

AAX_Result Qor_KXRB_2220_AAX_Parameters_Wrapper::GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) const
{
    if (chunkID != kProductChunkID)
        return AAX_CEffectParameters::GetChunk(chunkID, chunk);
    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    void* data = nullptr;
    const uint32_t state = productState(&data);
    // The host sized the chunk by the last GetChunkSize; a state that has grown since would
    // not fit.
    if (state + kTrailerSize != productSize_)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    chunk->fSize = int32_t(productSize_);
    char* out = AAX_ChunkData(chunk);
    if (state > 0)
        std::memcpy(out, data, state);
    putLittleEndian(out + state, kTrailerWord);
    putLittleEndian(out + state + 4, kTrailerWord);
    return AAX_SUCCESS;
}

AAX_Result Qor_KXRB_2220_AAX_Parameters_Wrapper::SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk)
{
    if (chunkID != kProductChunkID)
        return AAX_CEffectParameters::SetChunk(chunkID, chunk);
    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (chunk->fSize < kMinimumProductChunk)
        return AAX_ERROR_NOT_INITIALIZED;
    // The trailer is dropped unread.
    if (bridge_.controller != nullptr)
        bridge_.controller->setChunk(AAX_ChunkData(chunk), uint32_t(chunk->fSize) - kTrailerSize, chunk);
    return AAX_SUCCESS;
}

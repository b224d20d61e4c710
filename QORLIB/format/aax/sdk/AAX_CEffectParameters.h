#pragma once

#include "QORLIB/format/aax/sdk/AAX_CACFUnknown.h"
#include "QORLIB/format/aax/sdk/AAX_CChunkDataParser.h"
#include "QORLIB/format/aax/sdk/AAX_CPacketDispatcher.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_CParameterManager.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"

class AAX_IAutomationDelegate;
class AAX_IController;

// The SDK's parameters object: a parameter manager, a packet dispatcher and the controls chunk
// 'elck' (every host parameter's normalised value by ID). Products derive from it and
// register their parameters in EffectInit. Main thread only.
class AAX_CEffectParameters : public AAX_CACFUnknown<AAX_IEffectParameters>
{
public:
    static constexpr AAX_CTypeID kControlsChunkID = AAX_FourCC("elck");
    static constexpr const char* kControlsChunkName = "Complete Controls State";

    AAX_Result Initialize(IACFUnknown* controller) override;
    AAX_Result Uninitialize() override;

    AAX_Result GetNumberOfParameters(int32_t* count) const override;
    AAX_Result GetMasterBypassParameter(AAX_IString* id) const override;
    AAX_Result GetParameterIDFromIndex(int32_t index, AAX_IString* id) const override;
    AAX_Result GetParameterName(AAX_CParamID id, AAX_IString* name) const override;
    AAX_Result GetParameterNormalizedValue(AAX_CParamID id, double* value) const override;
    AAX_Result SetParameterNormalizedValue(AAX_CParamID id, double value) override;
    AAX_Result UpdateParameterNormalizedValue(AAX_CParamID id, double value, AAX_EUpdateSource source) override;
    AAX_Result GetParameterValueString(AAX_CParamID id, AAX_IString* text, int32_t maxLength) const override;
    AAX_Result GetParameterStringFromValue(AAX_CParamID id, double value, AAX_IString* text,
                                           int32_t maxLength) const override;
    AAX_Result GetNumberOfChanges(int32_t* changes) const override;
    AAX_Result TouchParameter(AAX_CParamID id) override;
    AAX_Result ReleaseParameter(AAX_CParamID id) override;

    AAX_Result GenerateCoefficients() override;
    AAX_Result ResetFieldData(AAX_CFieldIndex field, void* data, uint32_t size) const override;

    AAX_Result GetNumberOfChunks(int32_t* count) const override;
    AAX_Result GetChunkIDFromIndex(int32_t index, AAX_CTypeID* chunkID) const override;
    AAX_Result GetChunkSize(AAX_CTypeID chunkID, uint32_t* size) const override;
    AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) const override;
    AAX_Result SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) override;
    AAX_Result CompareActiveChunk(const AAX_SPlugInChunk* chunk, AAX_CBoolean* isEqual) const override;

protected:
    // Registers the parameters and packets; runs at the end of Initialize.
    virtual AAX_Result EffectInit() { return AAX_SUCCESS; }

    AAX_IController* Controller() const { return controller_; }
    AAX_IAutomationDelegate* AutomationDelegate() const { return automation_; }
    static constexpr int32_t kNoLimit = 0x7FFFFFFF;
    // Copies text into out, cut to maxLength characters (none for a negative maxLength).
    static AAX_Result SetText(AAX_IString* out, const std::string& text, int32_t maxLength);

    AAX_CParameterManager mParameterManager;
    AAX_CPacketDispatcher mPacketDispatcher;
    int32_t mNumPlugInChanges = 0;

private:
    void BuildControls(AAX_CChunkDataParser& parser) const;

    AAX_IController* controller_ = nullptr;
    AAX_IAutomationDelegate* automation_ = nullptr;
    mutable int32_t controlsSize_ = 0; // size given by the last GetChunkSize('elck')
};

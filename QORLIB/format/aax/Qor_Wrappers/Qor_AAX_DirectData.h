#pragma once

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_ControllerWrapper.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_LiveObject.h"
#include "QORLIB/format/aax/sdk/AAX_CEffectDirectData.h"

// Moves what the two sides have for each other on the host's timer: the processor's latency
// to the host, editor-side values into the shared block, one message each way through the
// mailbox. Main thread.
class Qor_AAX_DirectData : public AAX_CEffectDirectData
{
public:
    // Creation procedure 5; null when the object cannot be built.
    static AAX_IEffectDirectData* Create();

protected:
    // The last failed host call's result, or 0.
    AAX_Result TimerWakeup_PrivateDataAccess(AAX_IPrivateDataAccess* access) override;

private:
    AAX_Result reportLatency(AAX_IPrivateDataAccess& access);
    AAX_Result shipEditorValues(AAX_IPrivateDataAccess& access, Qor_AAX_ControllerWrapper& bridge);
    AAX_Result exchangeMessages(AAX_IPrivateDataAccess& access, Qor_AAX_ControllerWrapper& bridge);

    Qor_AAX_LiveObject live_;
    int32_t latency_ = -1; // as last read from the processor
};

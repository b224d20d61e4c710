#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"
#include "QORLIB/format/aax/sdk/ACFBase.h"

class AAX_IPrivateDataAccess;

// The direct-data object of one instance: the host wakes it periodically on the main thread
// with access to the instance's private data.
class AAX_IEffectDirectData : public IACFUnknown
{
public:
    // controller answers IID_IAAXControllerV1 and IID_IAAXEffectParametersV1.
    virtual AAX_Result Initialize(IACFUnknown* controller) = 0;
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result TimerWakeup(AAX_IPrivateDataAccess* access) = 0;

protected:
    ~AAX_IEffectDirectData() = default;
};

#pragma once

#include "QORLIB/format/aax/sdk/AAX_CACFUnknown.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectDirectData.h"

class AAX_IController;
class AAX_IEffectParameters;

// The SDK's direct-data object: keeps the instance's controller and parameters object and
// hands each timer tick to TimerWakeup_PrivateDataAccess. Main thread.
class AAX_CEffectDirectData : public AAX_CACFUnknown<AAX_IEffectDirectData>
{
public:
    AAX_Result Initialize(IACFUnknown* controller) override;
    AAX_Result Uninitialize() override;
    AAX_Result TimerWakeup(AAX_IPrivateDataAccess* access) override;

protected:
    virtual AAX_Result TimerWakeup_PrivateDataAccess(AAX_IPrivateDataAccess*) { return 0; }

    AAX_IController* Controller() const { return controller_; }
    AAX_IEffectParameters* EffectParameters() const { return parameters_; }

private:
    AAX_IController* controller_ = nullptr;
    AAX_IEffectParameters* parameters_ = nullptr;
};

#include "QORLIB/format/aax/sdk/AAX_CEffectDirectData.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IController.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"

AAX_Result AAX_CEffectDirectData::Initialize(IACFUnknown* controller)
{
    if (controller == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    controller_ = ACFQueryInterface<AAX_IController>(controller, IID_IAAXControllerV1);
    parameters_ = ACFQueryInterface<AAX_IEffectParameters>(controller, IID_IAAXEffectParametersV1);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectDirectData::Uninitialize()
{
    controller_ = nullptr;
    parameters_ = nullptr;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectDirectData::TimerWakeup(AAX_IPrivateDataAccess* access)
{
    if (access == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    return TimerWakeup_PrivateDataAccess(access);
}

#include "QORLIB/format/aax/sdk/AAX_CEffectDirectData.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IController.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"

AAX_Result AAX_CEffectDirectData::Initialize(IACFUnknown* controller)
{
    if (controller == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    void* found = nullptr;
    if (controller->QueryInterface(IID_IAAXControllerV1, &found) == ACF_OK)
        controller_ = static_cast<AAX_IController*>(found);
    found = nullptr;
    if (controller->QueryInterface(IID_IAAXEffectParametersV1, &found) == ACF_OK)
        parameters_ = static_cast<AAX_IEffectParameters*>(found);
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

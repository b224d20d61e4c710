#include "QORLIB/format/aax/sdk/AAX_CEffectGUI.h"

#include "QORLIB/format/aax/sdk/AAX_CString.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"

AAX_Result AAX_CEffectGUI::Initialize(IACFUnknown* controller)
{
    if (controller == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    controller_ = ACFQueryInterface<AAX_IController>(controller, IID_IAAXControllerV1);
    parameters_ = ACFQueryInterface<AAX_IEffectParameters>(controller, IID_IAAXEffectParametersV1);
    CreateViewContents();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    SetViewContainer(nullptr);
    controller_ = nullptr;
    parameters_ = nullptr;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::SetViewContainer(AAX_IViewContainer* container)
{
    if (container_ != nullptr)
    {
        DeleteViewContainer();
        container_ = nullptr;
    }
    if (container != nullptr)
    {
        container_ = container;
        CreateViewContainer();
        UpdateAllParameters();
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetViewSize(AAX_Point* size) const
{
    if (size == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *size = AAX_Point{};
    return AAX_SUCCESS;
}

void AAX_CEffectGUI::UpdateAllParameters()
{
    int32_t count = 0;
    if (parameters_ == nullptr || parameters_->GetNumberOfParameters(&count) != AAX_SUCCESS)
        return;
    for (int32_t i = 0; i < count; ++i)
    {
        AAX_CString id;
        if (parameters_->GetParameterIDFromIndex(i, &id) == AAX_SUCCESS)
            ParameterUpdated(id.Get());
    }
}

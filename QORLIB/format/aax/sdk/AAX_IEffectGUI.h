#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"
#include "QORLIB/format/aax/sdk/ACFBase.h"

class AAX_IViewContainer;

// The GUI object of one open editor, as the host calls it. Main thread.
class AAX_IEffectGUI : public IACFUnknown
{
public:
    // controller answers IID_IAAXControllerV1 and IID_IAAXEffectParametersV1.
    virtual AAX_Result Initialize(IACFUnknown* controller) = 0;
    virtual AAX_Result Uninitialize() = 0;
    // A container to show the editor in, or null when the host takes it away.
    virtual AAX_Result SetViewContainer(AAX_IViewContainer* container) = 0;
    virtual AAX_Result GetViewSize(AAX_Point* size) const = 0;
    virtual AAX_Result TimerWakeup() = 0;
    virtual AAX_Result ParameterUpdated(AAX_CParamID id) = 0;

protected:
    ~AAX_IEffectGUI() = default;
};

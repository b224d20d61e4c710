#pragma once

#include "QORLIB/format/aax/sdk/AAX_CACFUnknown.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectGUI.h"

class AAX_IController;
class AAX_IEffectParameters;
class AAX_IViewContainer;

// The SDK's GUI object: keeps the controller, the parameters object and the host's view
// container, and turns the container's coming and going into CreateViewContainer (followed
// by a ParameterUpdated for every host parameter) and DeleteViewContainer. Main thread.
class AAX_CEffectGUI : public AAX_CACFUnknown<AAX_IEffectGUI>
{
public:
    AAX_Result Initialize(IACFUnknown* controller) override;
    AAX_Result Uninitialize() override;
    AAX_Result SetViewContainer(AAX_IViewContainer* container) override;
    AAX_Result GetViewSize(AAX_Point* size) const override;
    AAX_Result TimerWakeup() override { return 0; }
    AAX_Result ParameterUpdated(AAX_CParamID) override { return 0; }

protected:
    virtual void CreateViewContents() {}
    virtual void CreateViewContainer() {}
    virtual void DeleteViewContainer() {}
    void UpdateAllParameters();

    AAX_IController* GetController() const { return controller_; }
    AAX_IEffectParameters* GetEffectParameters() const { return parameters_; }
    AAX_IViewContainer* GetViewContainer() const { return container_; }

private:
    AAX_IController* controller_ = nullptr;
    AAX_IEffectParameters* parameters_ = nullptr;
    AAX_IViewContainer* container_ = nullptr;
};

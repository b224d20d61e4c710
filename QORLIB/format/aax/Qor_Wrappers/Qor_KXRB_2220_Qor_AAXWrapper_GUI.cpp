#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_Qor_AAXWrapper_GUI.h"

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_ControllerWrapper.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_EditorWrapper.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Meters.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_ProcessProcedure.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_AAX_Parameters_Wrapper.h"
#include "QORLIB/format/aax/sdk/AAX_Enums.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IController.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"
#include "QORLIB/format/aax/sdk/AAX_IViewContainer.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/Timer.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "vellaCor/vellaCorParameters.h"

#include <cstring>

namespace
{
Qor_AAX_ControllerWrapper* bridgeOf(AAX_IEffectParameters* parameters)
{
    auto* wrapper = dynamic_cast<Qor_KXRB_2220_AAX_Parameters_Wrapper*>(parameters);
    return wrapper != nullptr ? &wrapper->bridge() : nullptr;
}
} // namespace

Qor_KXRB_2220_Qor_AAXWrapper_GUI::Qor_KXRB_2220_Qor_AAXWrapper_GUI()
    : editor_(std::make_unique<Qor_AAX_EditorWrapper>())
{
    const auto& meters = vellaCorParameters::tables().meters;
    for (int32_t k = 0; k < kMaxCustomMeters; ++k)
        customMeterParams_[k] = k < int32_t(meters.size()) ? meters[size_t(k)] : -1;
}

Qor_KXRB_2220_Qor_AAXWrapper_GUI::~Qor_KXRB_2220_Qor_AAXWrapper_GUI()
{
    if (editor_)
        editor_->detach();
}

AAX_IEffectGUI* Qor_KXRB_2220_Qor_AAXWrapper_GUI::Create()
{
    try
    {
        return new Qor_KXRB_2220_Qor_AAXWrapper_GUI();
    }
    catch (...)
    {
        return nullptr;
    }
}

AAX_Result Qor_KXRB_2220_Qor_AAXWrapper_GUI::Uninitialize()
{
    // The bridge outlives this object; it must not keep pointing at an editor about to go.
    if (Qor_AAX_ControllerWrapper* bridge = bridgeOf(GetEffectParameters());
        bridge != nullptr && editor_ && bridge->editor == editor_.get())
        bridge->editor = nullptr;
    const AAX_Result result = AAX_CEffectGUI::Uninitialize();
    if (editor_)
        editor_->link(nullptr, nullptr);
    return result;
}

void Qor_KXRB_2220_Qor_AAXWrapper_GUI::CreateViewContainer()
{
    AAX_IViewContainer* container = GetViewContainer();
    if (container == nullptr)
        return;
    const int32_t type = container->GetType();
    if (type != AAX_eViewContainer_Type_HWND && type != AAX_eViewContainer_Type_NSView)
        return;
    nativeWindow_ = container->GetPtr();
    if (!editor_)
    {
        try
        {
            editor_ = std::make_unique<Qor_AAX_EditorWrapper>();
        }
        catch (...)
        {
        }
    }
    Qor_AAX_ControllerWrapper* bridge = bridgeOf(GetEffectParameters());
    if (editor_)
    {
        editor_->link(bridge, this);
        if (bridge != nullptr)
            bridge->editor = editor_.get();
        editor_->attach(static_cast<unsigned long>(reinterpret_cast<uintptr_t>(nativeWindow_)));
    }
    if (bridge != nullptr && bridge->editor != nullptr)
        for (int32_t i = Qor_AAX_ControllerWrapper::kFirstEditorValue; i < Qor_AAX_ControllerWrapper::kNumValues; ++i)
            if (bridge->currentValues[i] != Qor_AAX_ControllerWrapper::kNothingPending)
                bridge->editor->forwardParameter(i, bridge->currentValues[i]);
}

void Qor_KXRB_2220_Qor_AAXWrapper_GUI::DeleteViewContainer()
{
    if (editor_)
        editor_->detach();
}

AAX_Result Qor_KXRB_2220_Qor_AAXWrapper_GUI::GetViewSize(AAX_Point* size) const
{
    if (size == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    size->horz = kDefaultWidth;
    size->vert = kDefaultHeight;
    if (!editor_)
        return AAX_SUCCESS;
    const double* r = editor_->viewRect();
    if (r[2] - r[0] <= 0.0 || r[3] - r[1] <= 0.0)
    {
        double frame[4];
        editor_->frameRect(frame);
        editor_->setViewRect(frame[0], frame[1], frame[2], frame[3]);
    }
    size->horz = float(r[2] - r[0]);
    size->vert = float(r[3] - r[1]);
    return AAX_SUCCESS;
}

AAX_Result Qor_KXRB_2220_Qor_AAXWrapper_GUI::TimerWakeup()
{
    AAX_IController* controller = GetController();
    if (editor_ && controller != nullptr)
    {
        float value = 0.0f;
        for (int32_t k = 0; k < kMaxCustomMeters && customMeterParams_[k] != -1; ++k)
        {
            const AAX_CTypeID id = Qor_AAX_Meters::kIDs[Qor_AAX_Meters::kStandardCount + uint32_t(k)];
            controller->GetCurrentMeterValue(id, &value);
            if (value >= Qor_AAX_ProcessProcedure::kMeterOffset && value <= 1.0f + Qor_AAX_ProcessProcedure::kMeterOffset)
                editor_->forwardParameter(customMeterParams_[k],
                                          double(value) - double(Qor_AAX_ProcessProcedure::kMeterOffset));
        }
    }
    // The editor's window has its own display connection, which nobody else would serve: its
    // events, the toolkit's timers (the shared editor idle among them) and repaints run here.
    if (editor_ && editor_->frame() != nullptr)
    {
        if (auto* window = dynamic_cast<qortk::X11Window*>(editor_->frame()->platform()))
            window->idle();
        else
            qortk::Timer::runDue(); // offscreen: the timers (the editor's idle) all the same
    }
    return AAX_SUCCESS;
}

AAX_Result Qor_KXRB_2220_Qor_AAXWrapper_GUI::ParameterUpdated(AAX_CParamID id)
{
    if (id == nullptr)
        return AAX_SUCCESS;
    const auto& ids = vellaCorParameters::tables().identifiers;
    AAX_IEffectParameters* parameters = GetEffectParameters();
    for (int32_t i = 0; i < int32_t(ids.size()); ++i)
    {
        if (ids[size_t(i)] != id)
            continue;
        double value = 0.0;
        if (editor_ && parameters != nullptr && parameters->GetParameterNormalizedValue(id, &value) == AAX_SUCCESS)
            editor_->forwardParameter(i, value);
    }
    return AAX_SUCCESS;
}

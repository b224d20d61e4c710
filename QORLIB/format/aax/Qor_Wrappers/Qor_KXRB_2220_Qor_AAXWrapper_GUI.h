#pragma once

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_LiveObject.h"
#include "QORLIB/format/aax/sdk/AAX_CEffectGUI.h"

#include <cstdint>
#include <memory>

class Qor_AAX_EditorWrapper;

// The GUI object of one open editor. It owns the editor wrapper, opens it in the host's view
// container and feeds it the host's values and the gain-reduction meter.
//
// On this platform the view container's native pointer carries an X11 window id, the id itself
// cast to a pointer (reinterpret_cast<void*>(uintptr_t(id))), for container types 3 and 1 alike;
// a null pointer asks for an editor without a window (offscreen), for hosts without a display.
// Main thread only.
class Qor_KXRB_2220_Qor_AAXWrapper_GUI : public AAX_CEffectGUI
{
public:
    static constexpr int32_t kMaxCustomMeters = 64;
    static constexpr float kDefaultWidth = 1024.0f;
    static constexpr float kDefaultHeight = 768.0f;

    Qor_KXRB_2220_Qor_AAXWrapper_GUI();
    ~Qor_KXRB_2220_Qor_AAXWrapper_GUI() override;

    // Creation procedure 1; null when the object cannot be built.
    static AAX_IEffectGUI* Create();

    // Unlinks the bridge from the editor before the base lets go of the parameters object.
    AAX_Result Uninitialize() override;
    AAX_Result GetViewSize(AAX_Point* size) const override;
    // Meter readings to the editor, then the editor's window events, timers and idle.
    AAX_Result TimerWakeup() override;
    AAX_Result ParameterUpdated(AAX_CParamID id) override;

    Qor_AAX_EditorWrapper* editor() const { return editor_.get(); }
    void* nativeWindow() const { return nativeWindow_; }
    const int32_t* customMeterParams() const { return customMeterParams_; }
    // The host's container while the editor is shown (the editor reports to it).
    AAX_IViewContainer* viewContainer() const { return GetViewContainer(); }

protected:
    void CreateViewContents() override {}
    void CreateViewContainer() override;
    void DeleteViewContainer() override;

private:
    Qor_AAX_LiveObject live_;
    void* nativeWindow_ = nullptr;
    std::unique_ptr<Qor_AAX_EditorWrapper> editor_;
    int32_t customMeterParams_[kMaxCustomMeters];
};

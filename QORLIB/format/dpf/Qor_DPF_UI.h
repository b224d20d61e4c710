#pragma once

#include "DistrhoUI.hpp"

#include "QORLIB/format/dpf/Qor_DPF_Parameters.h"
#include "QORLIB/presets/QorLocalController.h"

#include <array>
#include <memory>

class QorPresetManager;
namespace Qor_DPF
{
class EditorEngine;
}

START_NAMESPACE_DISTRHO

class QorPlugin;

// Our editor as DPF's external UI: a child of the host's parent window (or a window of its own
// in the live program). A control's press begins a host gesture and its release ends it; the host's values
// reach the controls and the preset manager (an undo step and the modified mark, as any edit);
// the meter output drives the needle. The preset manager is the instance's. Host's UI thread.
class QorUI : public UI
{
public:
    QorUI();
    ~QorUI() override;

    // From the editor engine.
    void editorEdit(int32_t index, double value);
    void editorBeginEdit(int32_t index);
    void editorEndEdit(int32_t index);
    void editorResized();
    // From the preset manager: a loaded preset's values and its announcements.
    void presetValue(int32_t index, double value);

    Qor_DPF::EditorEngine* engine() const { return engine_.get(); }

protected:
    void parameterChanged(uint32_t index, float value) override;
    void programLoaded(uint32_t index) override;
    void stateChanged(const char* key, const char* value) override;
    void uiIdle() override;
    void uiScaleFactorChanged(double scale) override;
    void sizeChanged(uint width, uint height) override;
    uintptr_t getNativeWindowHandle() const noexcept override;
    bool isRunning() const override;
    void close() override;

private:
    // The editor's side of the instance's preset host.
    class PresetLink : public QorLocalController
    {
    public:
        explicit PresetLink(QorUI& ui) : ui_(ui) {}
        void parameterChanged(int32_t index, double value) override { ui_.presetValue(index, value); }

    private:
        QorUI& ui_;
    };

    void setHostValue(uint32_t hostIndex, double normalised);
    void closeEditor();

    QorPlugin* plugin_;
    QorPresetManager* presets_;
    PresetLink link_;
    std::unique_ptr<Qor_DPF::EditorEngine> engine_;
    std::array<bool, Qor_DPF::kNumControls> touching_{}; // inside a user's gesture
    std::array<float, Qor_DPF::kNumControls> lastSent_{};  // the gesture's last value sent
    bool closed_ = false;
    bool constructing_ = true;
};

END_NAMESPACE_DISTRHO

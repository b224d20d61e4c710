#pragma once

#include "QORLIB/gui/presetbar/QorVSTGUIEditorWrapperV4_PresetBar.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "tools/StandalonePresetHost.h"

#include <string>

class EditorAudioLoop;

// The editor engine of the stand-alone program, acting as the host: an edit goes to the audio
// loop (when one plays), to the preset manager (undo, modified mark) and back to the controls
// as a host's echo would; private messages come straight back; every idle tick forwards the
// loop's meter reading and keeps the window title on the preset's name.
class StandaloneEditorEngine : public Qorwerk::QorVSTGUIEditorWrapperV4_PresetBar
{
public:
    // inputName: the played file's name for the title (empty without one).
    StandaloneEditorEngine(EditorAudioLoop* loop, const std::string& inputName);
    ~StandaloneEditorEngine() override;

    // Sends the current preset's values to the loop and the controls.
    void applyCurrentPreset();
    QorPresetManager& manager() { return manager_; }
    std::string windowTitle() const;

    void sendParameter(int32_t index, double value) override;
    void idle() override;

private:
    EditorAudioLoop* loop_;
    std::string inputName_;
    std::string shownTitle_;
    StandalonePresetHost host_;
    QorPresetManager manager_;
};

#pragma once

#include "QORLIB/gui/presetbar/QorVSTGUIEditorWrapperV4_PresetBar.h"

START_NAMESPACE_DISTRHO
class QorUI;
END_NAMESPACE_DISTRHO

namespace Qor_DPF
{

// The editor engine inside a DPF host: edits and the controls' gestures go to the UI's host
// parameters, private messages come straight back, size changes go to the host.
class EditorEngine : public Qorwerk::QorVSTGUIEditorWrapperV4_PresetBar
{
public:
    explicit EditorEngine(DISTRHO::QorUI& ui);
    ~EditorEngine() override;

    void sendParameter(int32_t index, double value) override;
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;

protected:
    void editorResized(double width, double height) override;

private:
    DISTRHO::QorUI& ui_;
};

} // namespace Qor_DPF

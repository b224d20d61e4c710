#pragma once

#include "QORLIB/gui/presetbar/QorVSTGUIEditorWrapperV4_PresetBar.h"

namespace Qor_LV2
{

class UI;

// The editor engine inside an LV2 host: edits go to the UI's port writes, private messages
// come straight back, and size changes are reported to the host.
class EditorEngine : public Qorwerk::QorVSTGUIEditorWrapperV4_PresetBar
{
public:
    explicit EditorEngine(UI& ui);
    ~EditorEngine() override;

    void sendParameter(int32_t index, double value) override;
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;

protected:
    void editorResized(double width, double height) override;

private:
    UI& ui_;
};

} // namespace Qor_LV2

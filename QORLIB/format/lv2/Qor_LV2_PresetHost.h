#pragma once

#include "QORLIB/presets/QorLocalController.h"

namespace Qor_LV2
{

// The host interface of an instance's preset manager. The manager lives with the plug-in
// instance (not with its editor), so that the A/B setups, the current name and the undo ring
// outlive a closed editor and reach the session's state; everything here runs on the host's
// main thread and the audio thread never touches it. Values of a loaded preset can only reach
// the ports through an open editor (the UI's port writes), so they go to the attached editor;
// without one there is nothing to show and nothing to write.
class PresetHost : public QorLocalController
{
public:
    // The open editor's side, or null.
    void attach(QorMasterController* editor) { editor_ = editor; }
    QorMasterController* attached() const { return editor_; }

    void parameterChanged(int32_t index, double value) override
    {
        if (editor_)
            editor_->parameterChanged(index, value);
    }

private:
    QorMasterController* editor_ = nullptr;
};

} // namespace Qor_LV2

#pragma once

#include "QORLIB/presets/QorLocalController.h"

// The host interface of a plug-in instance's preset manager in hosts whose editor lives apart
// from the instance (LV2, VST3, CLAP). The manager lives with the instance, not with its editor,
// so the A/B setups, the current name and the undo ring outlive a closed editor and reach the
// saved state. Values of a loaded preset reach the host's parameters only through an open editor
// (its edits), so they go to the attached editor; without one there is nothing to show. Main
// thread only: the audio thread never touches it.
class QorInstancePresetHost : public QorLocalController
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

#pragma once

#include "QORLIB/presets/QorLocalController.h"

namespace Qor_DPF
{

// The host interface of an instance's preset manager. The manager lives with the plug-in
// instance, not with its editor, so the A/B setups, the name and the undo ring outlive a closed
// editor and reach the saved state. Values of a loaded preset reach the host's parameters through
// the open editor (its edits); without one there is nothing to show. Main thread only.
class PresetHost : public QorLocalController
{
public:
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

} // namespace Qor_DPF

#pragma once

#include "QORLIB/gui/presetbar/PresetBarNudgeControl.h"

// Undo (left arrow, reports 0) and redo (right arrow, reports 1).
class PresetBarUndoRedoControl : public PresetBarNudgeControl
{
public:
    using PresetBarNudgeControl::PresetBarNudgeControl;

protected:
    bool curvedArrows() const override { return true; }
};

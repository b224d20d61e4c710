#pragma once

#include "QORLIB/gui/presetbar/PresetBarLabelButton.h"

// A label button that opens a pop-up (a small mark beside the label says so).
class PresetBarMenuButton : public PresetBarLabelButton
{
public:
    using PresetBarLabelButton::PresetBarLabelButton;
    void draw(QorDrawContext& context) override;
};

#pragma once

#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"

// Opens the configuration menu; shows value 1 (lit) while the menu is open.
class PresetBarConfigMenuButton : public PresetBarBasicControl
{
public:
    using PresetBarBasicControl::PresetBarBasicControl;
    void draw(QorDrawContext& context) override;
};

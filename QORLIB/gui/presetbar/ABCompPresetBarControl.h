#pragma once

#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"

// The A / B switch: value 0 is setup A, 1 setup B; the active letter is lit.
class ABCompPresetBarControl : public PresetBarBasicControl
{
public:
    ABCompPresetBarControl(const QorRect& rect, int32_t tag);

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
};

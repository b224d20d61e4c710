#pragma once

#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"

// Copies the active setup to the other one: reads "A>B" while A is active, "B>A" otherwise.
class ABCopyPresetBarControl : public PresetBarBasicControl
{
public:
    ABCopyPresetBarControl(const QorRect& rect, int32_t tag);

    void setDirection(bool fromA);
    bool fromA() const { return fromA_; }
    const char* label() const { return fromA_ ? "A>B" : "B>A"; }

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;

private:
    bool fromA_ = true;
};

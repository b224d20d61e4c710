#pragma once

#include "QORLIB/gui/presetbar/PresetBarArrowPair.h"
#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"

// Previous and next preset: a press on the left arrow reports 0, on the right one 1.
class PresetBarNudgeControl : public PresetBarBasicControl
{
public:
    PresetBarNudgeControl(const QorRect& rect, int32_t tag);

    const PresetBarArrowPair& arrows() const { return arrows_; }
    int32_t hotArrow() const { return hot_; }

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    void onMouseExited() override;
    void setViewSize(const QorRect& rect) override;

protected:
    virtual bool curvedArrows() const { return false; }

private:
    PresetBarArrowPair arrows_;
    int32_t hot_ = -1;
};

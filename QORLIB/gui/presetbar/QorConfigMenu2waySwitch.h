#pragma once

#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"

// "Hints:" with "Hide" (0) and "Show" (1) side by side in the right half.
class QorConfigMenu2waySwitch : public PresetBarBasicControl
{
public:
    static constexpr int32_t kTag = 57;

    explicit QorConfigMenu2waySwitch(const QorRect& rect);

    // 0 "Hide", 1 "Show".
    QorRect optionRect(int32_t option) const;

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;

private:
    int32_t optionAt(const QorPoint& where) const;
    int32_t hovered_ = -1;
};

#pragma once

#include "QORLIB/gui/presetbar/PresetBarScaleMenuButton.h"

// The 20 × 20 grip in the editor's lower right corner: dragging it zooms the editor. The drag
// starts with the press itself and follows the pointer's moves; the strip turns them into the
// factor reported through the grip.
class PresetBarScaleCornerControl : public PresetBarScaleMenuButton
{
public:
    PresetBarScaleCornerControl(const QorRect& rect, int32_t tag, QorPresetBarEditor& owner);

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseUp(const QorPoint& where, uint32_t flags) override;
    bool onWheel(const QorPoint&, float, uint32_t) override { return true; }

private:
    QorPresetBarEditor& owner_;
};

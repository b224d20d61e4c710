#pragma once

#include "QORLIB/gui/presetbar/PresetBarScaleMenuButton.h"

// The 20 × 20 grip in the editor's lower right corner: dragging it zooms the editor (the strip's
// idle follows the pointer and reports the factor through the grip).
class PresetBarScaleCornerControl : public PresetBarScaleMenuButton
{
public:
    PresetBarScaleCornerControl(const QorRect& rect, int32_t tag, QorPresetBarEditor& owner);

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint&, uint32_t) override { return kQorMouseHandled; }
    bool onWheel(const QorPoint&, float, uint32_t) override { return true; }
};

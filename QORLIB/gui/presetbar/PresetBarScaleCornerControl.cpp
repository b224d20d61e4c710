#include "QORLIB/gui/presetbar/PresetBarScaleCornerControl.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"

PresetBarScaleCornerControl::PresetBarScaleCornerControl(const QorRect& rect, int32_t tag, QorPresetBarEditor& owner)
    : PresetBarScaleMenuButton(rect, tag, owner, false)
{
}

void PresetBarScaleCornerControl::draw(QorDrawContext& context)
{
    // Three diagonal ridges, as window corners show them.
    context.setLineWidth(1.5);
    context.setFrameColor(PresetBarColours::kText);
    for (double d : {5.0, 10.0, 15.0})
        context.drawLine({rect_.right - 2.0, rect_.bottom - 2.0 - d}, {rect_.right - 2.0 - d, rect_.bottom - 2.0});
}

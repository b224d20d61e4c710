#include "QORLIB/gui/presetbar/PresetBarScaleCornerControl.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"

PresetBarScaleCornerControl::PresetBarScaleCornerControl(const QorRect& rect, int32_t tag, QorPresetBarEditor& owner)
    : PresetBarScaleMenuButton(rect, tag, owner, false), owner_(owner)
{
}

void PresetBarScaleCornerControl::draw(QorDrawContext& context)
{
    // Three short ridges tucked into the very corner, clear of the panel's corner screw (centred
    // 9 points in from both edges, 3.6 points wide).
    context.setLineWidth(1.2);
    context.setFrameColor(PresetBarColours::kText);
    for (double d : {2.0, 4.5, 7.0})
        context.drawLine({rect_.right - 2.0, rect_.bottom - 2.0 - d}, {rect_.right - 2.0 - d, rect_.bottom - 2.0});
}

int32_t PresetBarScaleCornerControl::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    owner_.cornerPressed(where);
    return kQorMouseHandled;
}

int32_t PresetBarScaleCornerControl::onMouseMoved(const QorPoint& where, uint32_t flags)
{
    if (flags & kQorLButton)
        owner_.cornerMoved(where);
    return kQorMouseHandled;
}

int32_t PresetBarScaleCornerControl::onMouseUp(const QorPoint&, uint32_t)
{
    owner_.cornerReleased();
    return kQorMouseHandled;
}

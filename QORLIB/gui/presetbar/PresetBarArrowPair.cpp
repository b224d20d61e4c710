#include "QORLIB/gui/presetbar/PresetBarArrowPair.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"

#include <cmath>

PresetBarArrowPair PresetBarArrowPair::around(const QorRect& control)
{
    const double cx = std::floor((control.left + control.right) / 2.0);
    const double cy = std::floor((control.top + control.bottom) / 2.0);
    return {{cx - 20.0, cy - 10.0, cx, cy + 10.0}, {cx, cy - 10.0, cx + 20.0, cy + 10.0}};
}

int32_t PresetBarArrowPair::boxAt(const QorPoint& where) const
{
    if (left.contains(where))
        return 0;
    if (right.contains(where))
        return 1;
    return -1;
}

void PresetBarArrowPair::draw(QorDrawContext& context, int32_t hot, bool curved) const
{
    for (int side = 0; side < 2; ++side)
    {
        const QorRect& box = side == 0 ? left : right;
        const double cx = (box.left + box.right) / 2.0;
        const double cy = (box.top + box.bottom) / 2.0;
        const double dir = side == 0 ? -1.0 : 1.0;
        const QorColour colour = side == hot ? PresetBarColours::kTextBright : PresetBarColours::kText;
        context.setFillColor(colour);
        context.setFrameColor(colour);
        if (curved)
        {
            // Undo/redo: a short shaft bending into the arrow head.
            context.setLineWidth(2.0);
            context.drawLine({cx - dir * 5.0, cy + 4.0}, {cx - dir * 5.0, cy});
            context.drawLine({cx - dir * 5.0, cy}, {cx + dir * 1.0, cy});
            const QorPoint head[] = {{cx + dir * 1.0, cy - 4.5}, {cx + dir * 6.0, cy}, {cx + dir * 1.0, cy + 4.5}};
            context.drawPolygon(head, 3, QorDrawContext::kFilled);
        }
        else
        {
            const QorPoint head[] = {{cx - dir * 3.5, cy - 5.5}, {cx + dir * 4.5, cy}, {cx - dir * 3.5, cy + 5.5}};
            context.drawPolygon(head, 3, QorDrawContext::kFilled);
        }
    }
}

#include "QORLIB/gui/presetbar/PresetBarMenuButton.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"

void PresetBarMenuButton::draw(QorDrawContext& context)
{
    drawBase(context);
    // The label keeps clear of the mark.
    const QorRect saved = inner_;
    inner_.right -= 10.0;
    drawLabel(context);
    inner_ = saved;
    // A small downward triangle at the right edge.
    const double x = inner_.right - 8.0;
    const double y = (inner_.top + inner_.bottom) / 2.0;
    const QorPoint mark[] = {{x - 3.0, y - 1.5}, {x + 3.0, y - 1.5}, {x, y + 2.0}};
    context.setFillColor(hover_ ? PresetBarColours::kTextBright : PresetBarColours::kText);
    context.drawPolygon(mark, 3, QorDrawContext::kFilled);
}

#include "QORLIB/gui/presetbar/PresetBarConfigMenuButton.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"

void PresetBarConfigMenuButton::draw(QorDrawContext& context)
{
    drawBase(context);
    // Three bars, the menu symbol.
    const double cx = (inner_.left + inner_.right) / 2.0;
    const double cy = (inner_.top + inner_.bottom) / 2.0;
    context.setLineWidth(2.0);
    context.setFrameColor(value_ >= 0.5 ? PresetBarColours::kActive
                          : hover_      ? PresetBarColours::kTextBright
                                        : PresetBarColours::kText);
    for (double dy : {-5.0, 0.0, 5.0})
        context.drawLine({cx - 7.0, cy + dy}, {cx + 7.0, cy + dy});
}

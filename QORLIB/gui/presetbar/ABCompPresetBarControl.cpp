#include "QORLIB/gui/presetbar/ABCompPresetBarControl.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"

ABCompPresetBarControl::ABCompPresetBarControl(const QorRect& rect, int32_t tag) : PresetBarBasicControl(rect, tag) {}

void ABCompPresetBarControl::draw(QorDrawContext& context)
{
    drawBase(context);
    const bool b = value_ >= 0.5;
    const double third = inner_.width() / 3.0;
    const QorRect cells[3] = {{inner_.left, inner_.top, inner_.left + third, inner_.bottom},
                              {inner_.left + third, inner_.top, inner_.right - third, inner_.bottom},
                              {inner_.right - third, inner_.top, inner_.right, inner_.bottom}};
    const char* texts[3] = {"A", "/", "B"};
    for (int i = 0; i < 3; ++i)
    {
        const bool active = (i == 0 && !b) || (i == 2 && b);
        context.setFont(QorSharedFonts::arial(active ? 14 : 12));
        context.setFontColor(active ? PresetBarColours::kActive : PresetBarColours::kText);
        context.drawString(texts[i], cells[i], QorDrawContext::kAlignCentre, true);
    }
}

int32_t ABCompPresetBarControl::onMouseDown(const QorPoint&, uint32_t flags)
{
    return togglePress(flags);
}

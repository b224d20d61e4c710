#include "QORLIB/gui/presetbar/ABCopyPresetBarControl.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"

ABCopyPresetBarControl::ABCopyPresetBarControl(const QorRect& rect, int32_t tag) : PresetBarBasicControl(rect, tag) {}

void ABCopyPresetBarControl::setDirection(bool fromA)
{
    if (fromA == fromA_)
        return;
    fromA_ = fromA;
    invalid();
}

void ABCopyPresetBarControl::draw(QorDrawContext& context)
{
    drawBase(context);
    context.setFont(QorSharedFonts::arial(12));
    context.setFontColor(pressed_ || hover_ ? PresetBarColours::kTextBright : PresetBarColours::kText);
    context.drawString(label(), inner_, QorDrawContext::kAlignCentre, true);
}

int32_t ABCopyPresetBarControl::onMouseDown(const QorPoint&, uint32_t flags)
{
    return togglePress(flags);
}

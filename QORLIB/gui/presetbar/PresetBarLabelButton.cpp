#include "QORLIB/gui/presetbar/PresetBarLabelButton.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"

PresetBarLabelButton::PresetBarLabelButton(const QorRect& rect, int32_t tag, const std::string& label)
    : PresetBarBasicControl(rect, tag), label_(label)
{
}

void PresetBarLabelButton::setLabel(const std::string& label)
{
    if (label == label_)
        return;
    label_ = label;
    invalid();
}

void PresetBarLabelButton::drawLabel(QorDrawContext& context)
{
    context.setFont(QorSharedFonts::arial(12));
    context.setFontColor(pressed_ || hover_ ? PresetBarColours::kTextBright : PresetBarColours::kText);
    context.drawString(label_.c_str(), inner_, QorDrawContext::kAlignCentre, true);
}

void PresetBarLabelButton::draw(QorDrawContext& context)
{
    drawBase(context);
    drawLabel(context);
}

int32_t PresetBarLabelButton::onMouseDown(const QorPoint&, uint32_t flags)
{
    return togglePress(flags);
}

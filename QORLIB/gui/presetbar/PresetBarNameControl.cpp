#include "QORLIB/gui/presetbar/PresetBarNameControl.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/gui/presetbar/PresetBarTextFit.h"

PresetBarNameControl::PresetBarNameControl(const QorRect& rect, int32_t tag) : PresetBarBasicControl(rect, tag)
{
    // The field fills the control; only its triangle keeps a margin.
    inner_ = rect;
}

void PresetBarNameControl::setName(const std::string& number, const std::string& name, bool modified)
{
    if (number == number_ && name == name_ && modified == modified_)
        return;
    number_ = number;
    name_ = name;
    modified_ = modified;
    invalid();
}

QorRect PresetBarNameControl::textRect() const { return {rect_.left + 6.0, rect_.top, rect_.right - 20.0, rect_.bottom}; }

std::string PresetBarNameControl::shownText() const
{
    return PresetBarTextFit::fitText(number_ + name_, textRect().width());
}

void PresetBarNameControl::draw(QorDrawContext& context)
{
    context.setFillColor(PresetBarColours::kField);
    context.drawRoundRect(rect_, kCornerRadius, QorDrawContext::kFilled);
    if (hover_)
    {
        context.setLineWidth(1.0);
        context.setFrameColor(PresetBarColours::kHoverOutline);
        context.drawRoundRect(rect_, kCornerRadius, QorDrawContext::kStroked);
    }
    context.setFont(QorSharedFonts::arial(12));
    context.setFontColor(modified_ ? PresetBarColours::kNameModified : PresetBarColours::kName);
    context.drawString(shownText().c_str(), textRect(), QorDrawContext::kAlignLeft, true);
    // Down while the menu is closed, up while it is open.
    const double cx = rect_.right - 10.0;
    const double cy = (rect_.top + rect_.bottom) / 2.0;
    const double d = value_ < 0.5 ? 1.0 : -1.0;
    const QorPoint triangle[] = {{cx - 5.0, cy - d * 2.5}, {cx + 5.0, cy - d * 2.5}, {cx, cy + d * 3.5}};
    context.setFillColor(hover_ ? QorColour{255, 255, 255, 255} : QorColour{60, 60, 64, 255});
    context.drawPolygon(triangle, 3, QorDrawContext::kFilled);
}

int32_t PresetBarNameControl::onMouseDown(const QorPoint&, uint32_t flags)
{
    if ((flags & kQorRButton) && !(flags & kQorLButton))
    {
        if (!renameRequest_)
            return kQorMouseNotHandled;
        renameRequest_();
        return kQorMouseHandledFinal;
    }
    return togglePress(flags);
}

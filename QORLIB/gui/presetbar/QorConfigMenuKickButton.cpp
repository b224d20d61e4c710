#include "QORLIB/gui/presetbar/QorConfigMenuKickButton.h"

#include "QORLIB/gui/presetbar/PresetBarConfigRow.h"

QorConfigMenuKickButton::QorConfigMenuKickButton(const QorRect& rect) : PresetBarBasicControl(rect, kTag) {}

QorRect QorConfigMenuKickButton::buttonRect() const { return PresetBarConfigRow::rightHalf(rect_); }

void QorConfigMenuKickButton::draw(QorDrawContext& context)
{
    PresetBarConfigRow::drawBand(context, rect_, "Manual:");
    PresetBarConfigRow::drawButton(context, buttonRect(), "Open", false, hover_ && overButton_, pressed_);
}

int32_t QorConfigMenuKickButton::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton) || !buttonRect().contains(where))
        return kQorMouseHandledFinal;
    press();
    value_ = 1.0;
    invalid();
    valueChanged();
    return kQorMouseHandled;
}

int32_t QorConfigMenuKickButton::onMouseMoved(const QorPoint& where, uint32_t)
{
    const bool over = buttonRect().contains(where);
    if (over != overButton_)
    {
        overButton_ = over;
        invalid();
    }
    return kQorMouseHandled;
}

// Momentary: back to 0 without a report.
int32_t QorConfigMenuKickButton::onMouseUp(const QorPoint& where, uint32_t flags)
{
    value_ = 0.0;
    return PresetBarBasicControl::onMouseUp(where, flags);
}

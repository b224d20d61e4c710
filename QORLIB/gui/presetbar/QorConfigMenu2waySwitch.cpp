#include "QORLIB/gui/presetbar/QorConfigMenu2waySwitch.h"

#include "QORLIB/gui/presetbar/PresetBarConfigRow.h"

QorConfigMenu2waySwitch::QorConfigMenu2waySwitch(const QorRect& rect) : PresetBarBasicControl(rect, kTag)
{
    value_ = 1.0;
}

QorRect QorConfigMenu2waySwitch::optionRect(int32_t option) const
{
    const QorRect half = PresetBarConfigRow::rightHalf(rect_);
    const double mid = half.left + half.width() / 2;
    return option == 0 ? QorRect{half.left, half.top, mid - 1, half.bottom}
                       : QorRect{mid + 1, half.top, half.right, half.bottom};
}

int32_t QorConfigMenu2waySwitch::optionAt(const QorPoint& where) const
{
    for (int32_t i = 0; i < 2; ++i)
        if (optionRect(i).contains(where))
            return i;
    return -1;
}

void QorConfigMenu2waySwitch::draw(QorDrawContext& context)
{
    PresetBarConfigRow::drawBand(context, rect_, "Hints:");
    const int32_t on = value_ > 0.5 ? 1 : 0;
    const int32_t hovered = hover_ ? hovered_ : -1;
    PresetBarConfigRow::drawButton(context, optionRect(0), "Hide", on == 0, hovered == 0, false);
    PresetBarConfigRow::drawButton(context, optionRect(1), "Show", on == 1, hovered == 1, false);
}

int32_t QorConfigMenu2waySwitch::onMouseDown(const QorPoint& where, uint32_t flags)
{
    const int32_t option = optionAt(where);
    if (!(flags & kQorLButton) || option < 0)
        return kQorMouseHandledFinal;
    press();
    value_ = option;
    invalid();
    valueChanged();
    return kQorMouseHandled;
}

int32_t QorConfigMenu2waySwitch::onMouseMoved(const QorPoint& where, uint32_t)
{
    const int32_t option = optionAt(where);
    if (option != hovered_)
    {
        hovered_ = option;
        invalid();
    }
    return kQorMouseHandled;
}

#include "QORLIB/gui/presetbar/PresetBarNudgeControl.h"

PresetBarNudgeControl::PresetBarNudgeControl(const QorRect& rect, int32_t tag)
    : PresetBarBasicControl(rect, tag), arrows_(PresetBarArrowPair::around(rect))
{
}

void PresetBarNudgeControl::setViewSize(const QorRect& rect)
{
    arrows_ = PresetBarArrowPair::around(rect);
    PresetBarBasicControl::setViewSize(rect);
}

void PresetBarNudgeControl::draw(QorDrawContext& context)
{
    drawBase(context);
    arrows_.draw(context, hover_ ? hot_ : -1, curvedArrows());
}

int32_t PresetBarNudgeControl::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & (kQorLButton | kQorDoubleClick)))
        return kQorMouseNotHandled;
    countdown_ = kCountdownTicks;
    pressed_ = true;
    switch (arrows_.boxAt(where))
    {
    case 0:
        value_ = 0.0;
        break;
    case 1:
        value_ = 1.0;
        break;
    default:
        break; // between the boxes: the unchanged value is reported
    }
    valueChanged();
    invalid();
    return kQorMouseHandled;
}

int32_t PresetBarNudgeControl::onMouseMoved(const QorPoint& where, uint32_t)
{
    const int32_t hot = arrows_.boxAt(where);
    if (hot != hot_)
    {
        hot_ = hot;
        invalid();
    }
    return kQorMouseHandled;
}

void PresetBarNudgeControl::onMouseExited()
{
    hot_ = -1;
    PresetBarBasicControl::onMouseExited();
}

#include "QORLIB/gui/presetbar/QorConfigMenuGroupSwitch.h"

#include "QORLIB/gui/presetbar/PresetBarColours.h"

namespace
{
const char* const kLabels[2] = {"Global settings", "Plugin info"};
}

QorConfigMenuGroupSwitch::QorConfigMenuGroupSwitch(const QorRect& rect) : QorCustomControl(rect, kTag)
{
    value_ = 0.0;
}

void QorConfigMenuGroupSwitch::draw(QorDrawContext& context)
{
    row_.draw(context, rect_, kLabels, page(), row_.hovered(), PresetBarColours::kFactoryHighlight);
}

int32_t QorConfigMenuGroupSwitch::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    const int32_t segment = row_.hit(rect_, where);
    invalid();
    if (segment >= 0)
    {
        value_ = segment;
        valueChanged();
    }
    return kQorMouseHandledFinal;
}

int32_t QorConfigMenuGroupSwitch::onMouseMoved(const QorPoint& where, uint32_t)
{
    if (row_.trackHover(rect_, where))
        invalid();
    return kQorMouseHandled;
}

void QorConfigMenuGroupSwitch::onMouseExited()
{
    row_.clearHover();
    QorCustomControl::onMouseExited();
}

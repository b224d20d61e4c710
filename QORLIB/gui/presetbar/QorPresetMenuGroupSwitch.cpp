#include "QORLIB/gui/presetbar/QorPresetMenuGroupSwitch.h"

#include "QORLIB/gui/presetbar/PresetBarColours.h"

namespace
{
const char* const kLabels[3] = {"Application", "Designer", "My presets"};
}

QorPresetMenuGroupSwitch::QorPresetMenuGroupSwitch(const QorRect& rect) : QorHorizontalSwitch(rect, kTag, nullptr, 3)
{
    value_ = 0.0;
    defaultValue_ = 0.0;
}

void QorPresetMenuGroupSwitch::draw(QorDrawContext& context)
{
    const int32_t selected = currentPosition();
    const QorColour& highlight = selected == 2 ? PresetBarColours::kUserHighlight : PresetBarColours::kFactoryHighlight;
    row_.draw(context, rect_, kLabels, selected, row_.hovered(), highlight);
}

int32_t QorPresetMenuGroupSwitch::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    const int32_t segment = row_.hit(rect_, where);
    invalid();
    if (segment < 0)
        return kQorMouseHandledFinal;
    value_ = segment * 0.5;
    valueChanged();
    return kQorMouseHandledFinal;
}

int32_t QorPresetMenuGroupSwitch::onMouseMoved(const QorPoint& where, uint32_t)
{
    if (row_.trackHover(rect_, where))
        invalid();
    return kQorMouseHandled;
}

int32_t QorPresetMenuGroupSwitch::onMouseUp(const QorPoint&, uint32_t) { return kQorMouseHandled; }

void QorPresetMenuGroupSwitch::onMouseExited()
{
    row_.clearHover();
    QorHorizontalSwitch::onMouseExited();
}

// The directory changes only by a deliberate press.
bool QorPresetMenuGroupSwitch::onWheel(const QorPoint&, float, uint32_t) { return true; }

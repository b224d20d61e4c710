#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "vellaCor/vellaCorParameters.h"

namespace
{
QorRect inset(const QorRect& r, double d) { return {r.left + d, r.top + d, r.right - d, r.bottom - d}; }
} // namespace

PresetBarBasicControl::PresetBarBasicControl(const QorRect& rect, int32_t tag)
    : QorCustomControl(rect, tag), inner_(inset(rect, kInset))
{
    value_ = 0.0;
    defaultValue_ = 0.0;
}

void PresetBarBasicControl::setViewSize(const QorRect& rect)
{
    inner_ = inset(rect, kInset);
    QorCustomControl::setViewSize(rect);
}

bool PresetBarBasicControl::tickCountdown()
{
    if (countdown_ <= 0)
        return false;
    if (--countdown_ != 0)
        return false;
    pressed_ = false;
    hover_ = false;
    invalid();
    return true;
}

void PresetBarBasicControl::drawBase(QorDrawContext& context)
{
    context.setLineWidth(1.0);
    context.setFillColor(PresetBarColours::kFrame);
    context.drawRoundRect(inner_, kCornerRadius, QorDrawContext::kFilled);
    if (hover_)
    {
        context.setFrameColor(PresetBarColours::kHoverOutline);
        context.drawRoundRect(inner_, kCornerRadius, QorDrawContext::kStroked);
    }
}

void PresetBarBasicControl::draw(QorDrawContext& context) { drawBase(context); }

void PresetBarBasicControl::press()
{
    pressed_ = true;
    countdown_ = kCountdownTicks;
}

void PresetBarBasicControl::toggleValue() { value_ = vellaCorParameters::truncToInt(value_ + 0.5) != 0 ? 0.0 : 1.0; }

int32_t PresetBarBasicControl::togglePress(uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    toggleValue();
    press();
    valueChanged();
    invalid();
    return kQorMouseHandled;
}

int32_t PresetBarBasicControl::onMouseDown(const QorPoint&, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    press();
    valueChanged();
    invalid();
    return kQorMouseHandled;
}

int32_t PresetBarBasicControl::onMouseUp(const QorPoint&, uint32_t)
{
    pressed_ = false;
    invalid();
    return kQorMouseHandled;
}

void PresetBarBasicControl::onMouseEntered()
{
    hover_ = true;
    countdown_ = 0;
    invalid();
}

void PresetBarBasicControl::onMouseExited()
{
    pressed_ = false;
    hover_ = false;
    countdown_ = kCountdownTicks;
    invalid();
}

#include "QORLIB/gui/QorHorizontalSwitch.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "vellaCor/vellaCorParameters.h"

#include <algorithm>

using vellaCorParameters::truncToInt;

QorHorizontalSwitch::QorHorizontalSwitch(const QorRect& rect, int32_t tag, QorBitmap* bitmap, int32_t positions)
    : QorBaseControl(rect, tag, bitmap, kSwitchView), positions_(std::max(positions, 2))
{
}

int32_t QorHorizontalSwitch::currentPosition() const { return truncToInt((positions_ - 1) * value_ + 0.5); }

void QorHorizontalSwitch::draw(QorDrawContext& context)
{
    if (!bitmap_)
        return;
    const double frameHeight = truncToInt(rect_.height());
    context.drawBitmap(bitmap_, rect_, {0.0, currentPosition() * frameHeight}, 1.0f);
}

int32_t QorHorizontalSwitch::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    if (flags & (kQorControl | kQorAlt))
    {
        beginEdit();
        value_ = std::clamp(getDefaultValue(), 0.0, 1.0);
        valueChanged();
        endEdit();
        invalid();
        return kQorMouseHandledFinal;
    }
    segmentWidth_ = double(truncToInt(rect_.width())) / positions_;
    beginEdit();
    return onMouseMoved(where, flags);
}

int32_t QorHorizontalSwitch::onMouseMoved(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton) || segmentWidth_ <= 0.0)
        return kQorMouseNotHandled;
    const int32_t segment = truncToInt((where.x - rect_.left) / segmentWidth_);
    value_ = std::clamp(double(segment) / (positions_ - 1), 0.0, 1.0);
    valueChanged();
    invalid();
    return kQorMouseHandled;
}

int32_t QorHorizontalSwitch::onMouseUp(const QorPoint&, uint32_t)
{
    endEdit();
    return kQorMouseHandled;
}

bool QorHorizontalSwitch::onWheel(const QorPoint&, float distance, uint32_t)
{
    beginEdit();
    const double step = 1.0 / (positions_ - 1);
    double v = value_;
    if (distance > 0.1f)
        v += step;
    else if (distance < -0.1f)
        v -= step;
    v = truncToInt((positions_ - 1) * v + 0.5) / double(positions_ - 1);
    value_ = std::clamp(v, 0.0, 1.0);
    valueChanged();
    endEdit();
    invalid();
    return true;
}

#include "QORLIB/gui/QorAnimKnob.h"

#include "QORLIB/gui/QorBitmap.h"
#include "QORLIB/gui/QorDrawContext.h"
#include "vellaCor/vellaCorParameters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{
uint32_t gKnobMode = 0;

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
} // namespace

QorAnimKnob::QorAnimKnob(const QorRect& rect, int32_t tag, QorBitmap* bitmap)
    : QorBaseControl(rect, tag, bitmap, kKnobView)
{
}

uint32_t QorAnimKnob::knobMode() { return gKnobMode; }
void QorAnimKnob::setKnobMode(uint32_t mode) { gKnobMode = mode; }

void QorAnimKnob::setFrames(int32_t frameCount, int32_t columns)
{
    frameCount_ = std::max(frameCount, 1);
    columns = std::max(columns, 1);
    rows_ = (frameCount_ + columns - 1) / columns;
    if (bitmap_)
    {
        using vellaCorParameters::truncToInt;
        frameHeight_ = truncToInt(bitmap_->getHeight() / rows_ + 0.5);
        frameWidth_ = truncToInt(bitmap_->getWidth() / columns + 0.5);
    }
}

void QorAnimKnob::setRange(double minimum, double maximum)
{
    minimum_ = minimum;
    maximum_ = maximum;
}

void QorAnimKnob::setPixelRanges(double normal, double fine)
{
    pixelRange_ = normal;
    finePixelRange_ = fine;
}

void QorAnimKnob::setWheelStep(double step, double fineFactor)
{
    wheelStep_ = step;
    wheelFineFactor_ = fineFactor;
}

int32_t QorAnimKnob::currentFrame() const
{
    return value_ < 0.0 ? 0 : vellaCorParameters::truncToInt((frameCount_ - 1) * value_ + 0.5);
}

QorPoint QorAnimKnob::frameOffset(int32_t frame) const
{
    if (frameHeight_ <= 0)
        return {0.0, 0.0};
    const int32_t column = frame / rows_;
    const int32_t row = frame - column * rows_;
    return {double(column) * frameWidth_, double(row) * frameHeight_};
}

void QorAnimKnob::draw(QorDrawContext& context)
{
    if (!bitmap_)
        return;
    const QorPoint offset = frameOffset(currentFrame());
    context.drawBitmap(bitmap_, rect_, offset, overlay_ ? overlayAlpha_ : 1.0f);
    if (overlay_)
    {
        const double i = overlayInset_;
        context.setFrameColor(overlayColour_);
        context.drawRect({rect_.left + i, rect_.top + i, rect_.right - i, rect_.bottom - i}, QorDrawContext::kStroked);
    }
}

double QorAnimKnob::angleValue(double x, double y, double w, double h)
{
    constexpr double pi = std::numbers::pi;
    const double cx = w / 2.0;
    const double cy = h / 2.0;
    const double nx = (x - cx) / (cx - 3.0);
    const double ny = (y - cy) / (cy - 3.0);
    double theta = std::atan2(ny, nx) - 3.0 * pi / 2.0;
    while (theta < -pi)
        theta += 2.0 * pi;
    while (theta >= pi)
        theta -= 2.0 * pi;
    // 270° of travel; the 90° at the bottom is the dead zone between the two ends.
    if (theta > 3.0 * pi / 4.0)
        return 1.0;
    if (theta < -3.0 * pi / 4.0)
        return 0.0;
    return theta / (3.0 * pi / 2.0) + 0.5;
}

double QorAnimKnob::pointAngle(const QorPoint& where) const
{
    return angleValue(where.x - rect_.left, where.y - rect_.top, rect_.width(), rect_.height());
}

int32_t QorAnimKnob::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    if (entryOnDoubleClick_ && (flags & kQorDoubleClick))
    {
        entryRequest_ = true;
        return kQorMouseHandledFinal;
    }
    entryRequest_ = false;
    if (flags & (kQorControl | kQorAlt | kQorDoubleClick))
    {
        value_ = clamp01(getDefaultValue());
        beginEdit();
        valueChanged();
        endEdit();
        invalid();
        return kQorMouseHandledFinal;
    }
    beginEdit();
    dragStartValue_ = value_;
    dragFlags_ = flags;
    pixelRangeInUse_ = pixelRange_;
    halfRange_ = (maximum_ - minimum_) * 0.5;
    valuePerPixel_ = (maximum_ - minimum_) / pixelRangeInUse_;
    if (knobMode() != 0)
    {
        lastAngleValue_ = pointAngle(where);
        return onMouseMoved(where, flags);
    }
    if (flags & kQorShift)
        pixelRangeInUse_ = finePixelRange_;
    valuePerPixel_ = (maximum_ - minimum_) / pixelRangeInUse_;
    anchor_ = where;
    return onMouseMoved(where, flags);
}

int32_t QorAnimKnob::onMouseMoved(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    if (knobMode() == 0)
    {
        const double delta = (where.x - anchor_.x) + (anchor_.y - where.y);
        if (flags != dragFlags_)
        {
            // Shift pressed or released mid-drag: continue from the current value at the new range.
            pixelRangeInUse_ = (flags & kQorShift) ? finePixelRange_ : pixelRange_;
            const double perPixel = (maximum_ - minimum_) / pixelRangeInUse_;
            dragStartValue_ += (valuePerPixel_ - perPixel) * delta;
            valuePerPixel_ = perPixel;
            dragFlags_ = flags;
        }
        value_ = clamp01(dragStartValue_ + delta * valuePerPixel_);
    }
    else
    {
        const double a = pointAngle(where);
        if (lastAngleValue_ - a > halfRange_)
            value_ = clamp01(maximum_); // crossed the dead zone from the high end
        else if (a - lastAngleValue_ > halfRange_)
            value_ = clamp01(minimum_);
        else
        {
            value_ = clamp01(a);
            lastAngleValue_ = a;
        }
    }
    valueChanged();
    invalid();
    return kQorMouseHandled;
}

int32_t QorAnimKnob::onMouseUp(const QorPoint&, uint32_t)
{
    endEdit();
    return kQorMouseHandled;
}

bool QorAnimKnob::onWheel(const QorPoint&, float distance, uint32_t flags)
{
    beginEdit();
    // A notch is a whole step; smooth-scrolling devices send fractions, which move by as much.
    const double notch = distance > 0.1f ? 1.0 : distance < -0.1f ? -1.0 : double(distance);
    const double step = (flags & kQorShift) ? wheelStep_ * wheelFineFactor_ : wheelStep_;
    value_ = clamp01(value_ + notch * step);
    valueChanged();
    endEdit();
    invalid();
    return true;
}

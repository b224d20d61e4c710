#include "QORLIB/gui/QorBaseControl.h"

#include "QORLIB/gui/QorEngineView.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
// A control starts where its parameter starts: the first factory preset for the preset
// parameters, the table's default for the others.
double startValue(int32_t tag)
{
    if (tag < 0 || tag >= static_cast<int32_t>(vellaCorParameters::kNumParameters))
        return 0.0;
    if (tag < 12)
    {
        double values[12];
        for (int i = 0; i < 12; ++i)
            values[i] = vellaCorParameters::getParameterDefault(static_cast<uint32_t>(i));
        vellaCorFactoryPresets::getFactoryPreset(0, values, nullptr, nullptr);
        return values[tag];
    }
    return vellaCorParameters::getParameterDefault(static_cast<uint32_t>(tag));
}

double clamp01(double v) { return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0); }
} // namespace

QorBaseControl::QorBaseControl(const QorRect& rect, int32_t tag, QorBitmap* bitmap, int32_t viewKind)
    : bitmap_(bitmap), rect_(rect), mouseable_(rect), value_(clamp01(startValue(tag))), tag_(tag), viewKind_(viewKind),
      defaultValue_(tag >= 0 && tag < static_cast<int32_t>(vellaCorParameters::kNumParameters)
                        ? vellaCorParameters::getParameterDefault(static_cast<uint32_t>(tag))
                        : 0.0),
      constructionRect_(rect)
{
    state_ = 0;
}

QorBaseControl::~QorBaseControl() = default;

void QorBaseControl::invalid()
{
    if (view_)
        view_->invalidate();
}

void QorBaseControl::setValue(double value)
{
    if (editing_)
        return;
    value_ = clamp01(value);
    if (view_)
        view_->takeValue(value_);
    if (linked_)
    {
        linked_->setValue(value_);
        linked_->invalid();
    }
}

void QorBaseControl::setOverlay(bool on, const QorColour& colour, int32_t inset, float alpha)
{
    overlay_ = on;
    overlayColour_ = colour;
    overlayInset_ = inset;
    overlayAlpha_ = alpha;
    invalid();
}

void QorBaseControl::setTag(int32_t tag)
{
    if (tag < 0)
        return;
    tag_ = tag;
    if (view_)
        view_->takeTag(tag);
}

void QorBaseControl::beginEdit()
{
    editing_ = true;
    if (view_)
        view_->reportBeginEdit();
}

void QorBaseControl::valueChanged()
{
    if (view_)
        view_->reportEdit(value_);
}

void QorBaseControl::endEdit()
{
    editing_ = false;
    if (view_)
        view_->reportEndEdit();
}

void QorBaseControl::setViewSize(const QorRect& rect)
{
    rect_ = rect;
    if (view_)
        view_->takeViewSize(rect);
    setMouseableArea(rect);
}

void QorBaseControl::scaleSize(double factor)
{
    const QorRect& c = constructionRect_;
    setViewSize({rect_.left, rect_.top, rect_.left + c.width() * factor, rect_.top + c.height() * factor});
}

void QorBaseControl::setBitmap(QorBitmap* bitmap)
{
    if (!bitmap)
        return;
    bitmap_ = bitmap;
    if (view_)
        view_->takeBitmap(bitmap);
    invalid();
}

void QorBaseControl::onMouseEntered()
{
    hover_ = true;
    invalid();
}

void QorBaseControl::onMouseExited()
{
    hover_ = false;
    invalid();
}

void QorBaseControl::setMouseableArea(const QorRect& rect)
{
    mouseable_ = rect;
    if (view_)
        view_->takeMouseableArea(rect);
}

void QorBaseControl::setValueAndNotify(double value)
{
    entryRequest_ = false;
    setValue(value);
    valueChanged();
}

void QorBaseControl::setHint(const char* text)
{
    if (!hint_)
        hint_ = std::make_unique<char[]>(kHintSize);
    std::strncpy(hint_.get(), text ? text : "", kHintSize - 1);
    hint_[kHintSize - 1] = '\0';
    if (view_)
        view_->setHint(hint_.get());
}

const char* QorBaseControl::getHint() const { return hint_ ? hint_.get() : ""; }

#include "QORLIB/gui/toolkit/Control.h"

#include "QORLIB/gui/toolkit/ControlListener.h"

#include <algorithm>
#include <cmath>

namespace qortk
{

Control::Control(const Rect& size, ControlListener* listener, int32_t tag) : View(size), listener_(listener), tag_(tag)
{
}

void Control::setValue(double v)
{
    if (std::isnan(v))
        v = min_;
    value_ = std::clamp(v, min_, max_);
}

void Control::setRange(double minimum, double maximum)
{
    min_ = std::min(minimum, maximum);
    max_ = std::max(minimum, maximum);
    setValue(value_);
}

void Control::beginEdit()
{
    editing_ = true;
    if (listener_)
        listener_->controlBeginEdit(this);
}

void Control::endEdit()
{
    editing_ = false;
    if (listener_)
        listener_->controlEndEdit(this);
}

void Control::valueChanged()
{
    if (listener_)
        listener_->valueChanged(this);
}

} // namespace qortk

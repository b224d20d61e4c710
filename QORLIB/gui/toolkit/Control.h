#pragma once

#include "QORLIB/gui/toolkit/View.h"

#include <cstdint>

namespace qortk
{

class ControlListener;

// A view with a value in [minimum, maximum] and a tag, which reports user edits to its
// listener.
class Control : public View
{
public:
    Control(const Rect& size, ControlListener* listener = nullptr, int32_t tag = -1);

    double value() const { return value_; }
    virtual void setValue(double v); // clamped to the range; no report
    double minimum() const { return min_; }
    double maximum() const { return max_; }
    void setRange(double minimum, double maximum);
    double defaultValue() const { return default_; }
    void setDefaultValue(double v) { default_ = v; }
    int32_t tag() const { return tag_; }
    void setTag(int32_t t) { tag_ = t; }
    ControlListener* listener() const { return listener_; }
    void setListener(ControlListener* l) { listener_ = l; }

    void beginEdit();
    void endEdit();
    bool isEditing() const { return editing_; }
    // Reports the current value to the listener.
    void valueChanged();

private:
    ControlListener* listener_;
    double value_ = 0.0;
    double min_ = 0.0;
    double max_ = 1.0;
    double default_ = 0.0;
    int32_t tag_;
    bool editing_ = false;
};

} // namespace qortk

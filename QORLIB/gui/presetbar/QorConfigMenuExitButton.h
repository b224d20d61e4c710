#pragma once

#include "QORLIB/gui/QorCustomControl.h"

// The empty lower part of the configuration page: a press there closes the menu.
class QorConfigMenuExitButton : public QorCustomControl
{
public:
    static constexpr int32_t kTag = 63;

    explicit QorConfigMenuExitButton(const QorRect& rect) : QorCustomControl(rect, kTag) { value_ = 0.0; }

    int32_t onMouseDown(const QorPoint&, uint32_t flags) override
    {
        if (!(flags & kQorLButton))
            return kQorMouseNotHandled;
        value_ = 1.0;
        valueChanged();
        value_ = 0.0;
        return kQorMouseHandledFinal;
    }
};

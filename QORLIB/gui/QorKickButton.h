#pragma once

#include "QORLIB/gui/QorBaseControl.h"

// A momentary button: a press reports 1 (0.5 for a Control-double-click when it answers
// double-clicks only), the release sets 0 again without a report. Without a bitmap it is an
// invisible hot area.
class QorKickButton : public QorBaseControl
{
public:
    QorKickButton(const QorRect& rect, int32_t tag);

    void setDoubleClickOnly(bool on) { doubleClickOnly_ = on; }
    bool isPressed() const { return pressed_; }

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseUp(const QorPoint& where, uint32_t flags) override;

private:
    int32_t frameHeight_;
    bool doubleClickOnly_ = false;
    bool pressed_ = false;
};

#pragma once

#include "QORLIB/gui/QorCustomControl.h"

// The strip's common look and mouse behaviour: a rounded frame inside the control inset by
// 4 pixels, outlined while hovered; a left press marks it pressed and reports its value. A
// press or leave starts a countdown of idle ticks after which the pressed and hover marks go.
class PresetBarBasicControl : public QorCustomControl
{
public:
    static constexpr int32_t kCountdownTicks = 30;
    static constexpr double kInset = 4.0;
    static constexpr double kCornerRadius = 4.0;

    PresetBarBasicControl(const QorRect& rect, int32_t tag);

    bool isPressed() const { return pressed_; }
    int32_t countdown() const { return countdown_; }
    const QorRect& innerRect() const { return inner_; }
    // One idle tick; true when the marks were just cleared (and the control redrawn).
    bool tickCountdown();

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseUp(const QorPoint& where, uint32_t flags) override;
    void onMouseEntered() override;
    void onMouseExited() override;
    void setViewSize(const QorRect& rect) override;

protected:
    // The frame and the hover outline.
    void drawBase(QorDrawContext& context);
    // A left press: marks it pressed, starts the countdown; no report.
    void press();
    // value nearer 1 becomes 0, nearer 0 becomes 1.
    void toggleValue();
    // The press of the toggling buttons: a left press toggles the value, marks the control pressed
    // and reports; other buttons are not handled.
    int32_t togglePress(uint32_t flags);

    bool pressed_ = false;
    int32_t countdown_ = 0;
    QorRect inner_;
};

#pragma once

#include "QORLIB/gui/toolkit/Frame.h"

namespace Qorwerk
{

// The editor's top-level frame with its zoom, kept within 70 % to 400 %.
class QorFrame : public qortk::Frame
{
public:
    static constexpr double kMinZoom = 0.7;
    static constexpr double kMaxZoom = 4.0;

    explicit QorFrame(const qortk::Rect& size) : qortk::Frame(size) {}

    // The zoom a request gives: 0.01 or less means 1.0, then 0.7..4.0. False for 0 and NaN,
    // which change nothing.
    static bool zoomFor(double requested, double& zoom);
    // Scales the frame uniformly; the device size follows and everything is redrawn.
    bool setZoom(double requested);
    double getZoom() const { return zoom_; }

    bool keyDown(const qortk::KeyEvent& event) override;
    bool keyUp(const qortk::KeyEvent& event) override;
    // The held buttons and modifiers, with the modifier key last pressed.
    uint32_t currentButtons() const override;
    uint32_t keyModifier() const { return keyModifier_; }

private:
    double zoom_ = 1.0;
    uint32_t keyModifier_ = 0;
};

} // namespace Qorwerk

#pragma once

#include "QORLIB/gui/presetbar/PresetBarMenuButton.h"

#include <memory>

class PresetBarScaleOptionMenuHandler;
class QorPresetBarEditor;

// The zoom percentage: a press opens the zoom pop-up, the wheel zooms by 5 % a notch (1 % with
// Shift), a double click or a Control- or Alt-press returns to 100 %. Reports tag 60; the strip
// takes the factor from it.
class PresetBarScaleMenuButton : public PresetBarMenuButton
{
public:
    PresetBarScaleMenuButton(const QorRect& rect, int32_t tag, QorPresetBarEditor& owner, bool withPopup = true);
    ~PresetBarScaleMenuButton() override;

    double zoomFactor() const { return zoom_; }
    // Takes a factor, clamped (0.01 or less means 1.0), and shows its percentage.
    void setZoomFactor(double factor);
    PresetBarScaleOptionMenuHandler* popupHandler() const { return handler_.get(); }
    void setFrameSize(double width, double height);
    // Back to 100 %, reported, the pop-up closed.
    void resetZoom();

    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    bool onWheel(const QorPoint& where, float distance, uint32_t flags) override;

protected:
    double zoom_ = 1.0;

private:
    std::unique_ptr<PresetBarScaleOptionMenuHandler> handler_;
    double frameWidth_ = 400.0;
    double frameHeight_ = 327.0;
};

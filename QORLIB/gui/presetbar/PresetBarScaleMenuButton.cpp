#include "QORLIB/gui/presetbar/PresetBarScaleMenuButton.h"

#include "QORLIB/gui/presetbar/PresetBarScaleOptionMenuHandler.h"
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "vellaCor/vellaCorParameters.h"

PresetBarScaleMenuButton::PresetBarScaleMenuButton(const QorRect& rect, int32_t tag, QorPresetBarEditor& owner,
                                                   bool withPopup)
    : PresetBarMenuButton(rect, tag, "100%")
{
    if (withPopup)
        handler_ = std::make_unique<PresetBarScaleOptionMenuHandler>(*this, owner);
}

PresetBarScaleMenuButton::~PresetBarScaleMenuButton() = default;

void PresetBarScaleMenuButton::setFrameSize(double width, double height)
{
    frameWidth_ = width;
    frameHeight_ = height;
}

void PresetBarScaleMenuButton::setZoomFactor(double factor)
{
    zoom_ = QorGlobalSettings::clampZoomFactor(factor);
    setLabel(std::to_string(vellaCorParameters::truncToInt(zoom_ * 100.0 + 0.5)) + "%");
}

void PresetBarScaleMenuButton::resetZoom()
{
    setZoomFactor(1.0);
    value_ = 0.0;
    valueChanged();
    invalid();
    if (handler_)
        handler_->closePopup();
}

int32_t PresetBarScaleMenuButton::onMouseDown(const QorPoint&, uint32_t flags)
{
    if (flags & (kQorDoubleClick | kQorControl | kQorAlt))
    {
        resetZoom();
        return kQorMouseHandledFinal;
    }
    if (togglePress(flags) != kQorMouseHandled)
        return kQorMouseNotHandled;
    if (handler_)
    {
        handler_->markZoom(zoom_);
        handler_->togglePopup(frameWidth_, frameHeight_);
    }
    return kQorMouseHandledFinal;
}

bool PresetBarScaleMenuButton::onWheel(const QorPoint&, float distance, uint32_t flags)
{
    const double notch = distance > 0.1f ? 1.0 : distance < -0.1f ? -1.0 : double(distance);
    const double step = (flags & kQorShift) ? 0.01 : 0.05;
    setZoomFactor(QorGlobalSettings::clampZoomFactor(zoom_) + notch * step);
    valueChanged();
    invalid();
    return true;
}

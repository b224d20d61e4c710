#pragma once

#include "QORLIB/gui/presetbar/QorCustomizableOptionMenuPackageHandler.h"

class PresetBarScaleMenuButton;

// The zoom pop-up: fixed steps from 70 % to 250 %, 5 % up or down, and "Close".
class PresetBarScaleOptionMenuHandler : public QorCustomizableOptionMenuPackageHandler
{
public:
    enum ItemTag : int32_t
    {
        kClose = 0,
        kIncrease = 11,
        kDecrease = 12,
    };
    PresetBarScaleOptionMenuHandler(PresetBarScaleMenuButton& button, QorPresetBarEditor& owner);
    void itemChosen(int32_t itemTag) override;
    void openingDoubleClicked() override;
    // The pop-up marks the step of a zoom, or none when the zoom lies between the steps.
    void markZoom(double factor);

private:
    PresetBarScaleMenuButton& button_;
};

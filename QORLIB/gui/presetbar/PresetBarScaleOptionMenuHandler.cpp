#include "QORLIB/gui/presetbar/PresetBarScaleOptionMenuHandler.h"

#include "QORLIB/gui/presetbar/PresetBarScaleMenuButton.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "vellaCor/vellaCorParameters.h"

PresetBarScaleOptionMenuHandler::PresetBarScaleOptionMenuHandler(PresetBarScaleMenuButton& button,
                                                                 QorPresetBarEditor& owner)
    : QorCustomizableOptionMenuPackageHandler(button.getRect(), button.getTag(), owner), button_(button)
{
    for (int percent : {70, 85, 100, 125, 150, 175, 200, 250})
        addItem(std::to_string(percent) + "%", percent);
    addItem("Increase 5%", kIncrease);
    addItem("Decrease 5%", kDecrease);
    addItem("Close", kClose);
    setPlacement(8);
    setCurrentItem(2);
}

void PresetBarScaleOptionMenuHandler::openingDoubleClicked() { button_.resetZoom(); }

void PresetBarScaleOptionMenuHandler::markZoom(double factor)
{
    const int32_t percent = vellaCorParameters::truncToInt(QorGlobalSettings::clampZoomFactor(factor) * 100.0 + 0.5);
    const bool step = percent != kClose && percent != kIncrease && percent != kDecrease;
    setCurrentItem(step ? itemWithTag(percent) : -1);
}

void PresetBarScaleOptionMenuHandler::itemChosen(int32_t itemTag)
{
    const double factor = QorGlobalSettings::clampZoomFactor(button_.zoomFactor());
    switch (itemTag)
    {
    case kClose:
        return;
    case kIncrease:
        button_.setZoomFactor(factor + 0.05);
        break;
    case kDecrease:
        button_.setZoomFactor(factor - 0.05);
        break;
    default:
        button_.setZoomFactor(QorGlobalSettings::clampZoomFactor(itemTag * 0.01));
        break;
    }
    button_.valueChanged();
}

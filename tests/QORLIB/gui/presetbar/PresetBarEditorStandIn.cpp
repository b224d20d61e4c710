// Built only while the strip editor's own source is missing: the owner operations that the two
// menus rely on (overlays, toggles with their announcements, forwarding of tags and
// notifications), so that the menus can be driven alone.
#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/gui/presetbar/PresetBarConfigMenu.h"
#include "QORLIB/gui/presetbar/PresetBarPresetMenu.h"
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"
#include "QORLIB/presets/QorGlobalSettings.h"

QorPresetBarEditor::QorPresetBarEditor() = default;
QorPresetBarEditor::~QorPresetBarEditor() = default;

void QorPresetBarEditor::savePreset() {}

void QorPresetBarEditor::open(double width, double height)
{
    width_ = width;
    height_ = height;
    const QorRect area{0, kStripHeight, width, height + kStripHeight};
    presetOverlay_ = createContainer(area);
    presetOverlay_->setBackgroundColour(PresetBarColours::kPresetMenuOverlay);
    presetOverlay_->setMouseTransparent(false);
    presetMenu_ = std::make_unique<PresetBarPresetMenu>(*this);
    presetMenu_->build(presetOverlay_);
    configOverlay_ = createContainer(area);
    configOverlay_->setBackgroundColour(PresetBarColours::kConfigMenuOverlay);
    configOverlay_->setMouseTransparent(false);
    configMenu_ = std::make_unique<PresetBarConfigMenu>(*this);
    configMenu_->build(configOverlay_);
    isOpen_ = true;
}

void QorPresetBarEditor::close()
{
    if (presetMenu_)
        presetMenu_->clear();
    if (configMenu_)
        configMenu_->clear();
    isOpen_ = false;
}

void QorPresetBarEditor::refreshName() {}

void QorPresetBarEditor::togglePresetMenu()
{
    if (presetMenuShown_)
    {
        hideContainer(presetOverlay_);
        presetMenuShown_ = false;
        announce(kPresetMenuClosed, 1.0);
        return;
    }
    announce(kPresetMenuOpened, 1.0);
    presetMenu_->sync();
    showContainer(presetOverlay_);
    presetMenuShown_ = true;
}

void QorPresetBarEditor::toggleConfigMenu()
{
    if (configMenuShown_)
    {
        hideContainer(configOverlay_);
        configMenuShown_ = false;
        announce(kHideInfo, 1.0);
        announce(kConfigMenuClosed, 1.0);
        return;
    }
    announce(kConfigMenuOpened, 1.0);
    configOverlay_->setViewSize(configMenu_->currentRect());
    showContainer(configOverlay_);
    configMenuShown_ = true;
    configMenu_->setHintsSwitch(QorGlobalSettings::hintsFlag() != 0 ? 1.0 : 0.0);
}

void QorPresetBarEditor::valueChanged(int32_t tag, double value)
{
    switch (tag)
    {
    case kNameTag:
        if (configMenuShown_)
            toggleConfigMenu();
        togglePresetMenu();
        break;
    case kManualTag:
    case kHintsTag:
    case kConfigPageTag:
        configMenu_->valueChanged(tag, value);
        break;
    case kConfigTag:
        if (presetMenuShown_)
            togglePresetMenu();
        toggleConfigMenu();
        break;
    case kGroupTag:
    case kColumnListTag:
    case kPresetListTag:
    case kBottomLineTag:
    case 79:
    case 84:
    case 85:
    case kDesignerTag:
        presetMenu_->valueChanged(tag, value);
        break;
    default:
        break;
    }
}

void QorPresetBarEditor::parameterChanged(int32_t tag, double value)
{
    if (notifying_)
        return;
    notifying_ = true;
    if (tag == kHintsNotify)
        configMenu_->notification(tag, value);
    else if (tag == kRefreshNotify)
        presetMenu_->sync();
    else if (tag == kShowInfo || tag == kHideInfo)
        handleInfoNotification(tag, value);
    notifying_ = false;
}

void QorPresetBarEditor::handleInfoNotification(int32_t id, double value)
{
    if (id == kShowInfo)
    {
        if (configMenuShown_)
        {
            hideContainer(configOverlay_);
            configMenuShown_ = false;
        }
        configMenu_->notification(id, value);
        configMenu_->clearPageSwitching();
        toggleConfigMenu();
        return;
    }
    const bool fromSwitch = configMenu_->isPageSwitching();
    configMenu_->notification(id, value);
    configMenu_->clearPageSwitching();
    if (!fromSwitch && configMenuShown_)
        toggleConfigMenu();
}

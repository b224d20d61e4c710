// The preset bar's menus: showing and hiding them, and the notifications that reach the strip.
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"

#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/presetbar/PresetBarConfigMenu.h"
#include "QORLIB/gui/presetbar/PresetBarConfigMenuButton.h"
#include "QORLIB/gui/presetbar/PresetBarNameControl.h"
#include "QORLIB/gui/presetbar/PresetBarPresetMenu.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetManager.h"

void QorPresetBarEditor::parameterChanged(int32_t tag, double value)
{
    if (notifying_ || !isOpen_)
        return;
    notifying_ = true;
    if (tag >= 0 && tag <= 11)
        refreshName();
    else
        switch (tag)
        {
        case kPresetSavedNotify:
            if (manager_)
                manager_->markCurrentAsReference();
            refreshName();
            break;
        case QorGlobalSettings::kHintsSetting:
            configMenu_->notification(tag, value);
            break;
        case QorGlobalSettings::kZoomSetting:
            if (manager_)
                zoom_ = manager_->zoomFactor();
            refreshZoom();
            break;
        case kRefreshPresetDisplays:
            refreshName();
            presetMenu_->sync();
            refreshAB();
            break;
        case kShowInfo:
        case kHideInfo:
            handleInfoNotification(tag, value);
            break;
        default:
            break;
        }
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
        toggleConfigMenu(); // shown again, now collapsed to its switch row
        return;
    }
    const bool fromPageSwitch = configMenu_->isPageSwitching();
    configMenu_->notification(id, value);
    configMenu_->clearPageSwitching();
    if (!fromPageSwitch && configMenuShown_)
        toggleConfigMenu();
}

void QorPresetBarEditor::togglePresetMenu()
{
    if (!isOpen_)
        return;
    if (!presetMenuShown_)
    {
        announce(kPresetMenuOpened, 1.0);
        presetMenu_->sync();
        showContainer(presetOverlay_);
        presetMenuShown_ = true;
        name_->setValue(1.0);
        // The open menu is what the name's hint promises; shown, it would cover the menu's tabs.
        nameHint_ = name_->getHint();
        name_->setHint("");
    }
    else
    {
        hideContainer(presetOverlay_);
        presetMenuShown_ = false;
        name_->setValue(0.0);
        name_->setHint(nameHint_.c_str());
        announce(kPresetMenuClosed, 1.0);
    }
    name_->invalid();
}

void QorPresetBarEditor::toggleConfigMenu()
{
    if (!isOpen_)
        return;
    if (!configMenuShown_)
    {
        announce(kConfigMenuOpened, 1.0);
        const QorRect page = configMenu_->currentRect();
        configOverlay_->setViewSize(
            {0, kStripHeight, width_, kStripHeight + (page.height() > 0 ? page.height() : height_)});
        showContainer(configOverlay_);
        configMenuShown_ = true;
        configMenu_->setHintsSwitch(QorGlobalSettings::hintsFlag() != 0 ? 1.0 : 0.0);
        configButton_->setValue(1.0);
    }
    else
    {
        hideContainer(configOverlay_);
        configMenuShown_ = false;
        configButton_->setValue(0.0);
        announce(kHideInfo, 1.0);
        announce(kConfigMenuClosed, 1.0);
    }
    configButton_->invalid();
}

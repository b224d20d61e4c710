// The strip's displays and its idle: countdowns and the corner grip's drag. The open menu's lists
// repaint themselves when what they show changes, never on a tick.
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"

#include "QORLIB/gui/IdleUpdate_Qor_Handler.h"
#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/presetbar/ABCompPresetBarControl.h"
#include "QORLIB/gui/presetbar/ABCopyPresetBarControl.h"
#include "QORLIB/gui/presetbar/PresetBarNameControl.h"
#include "QORLIB/gui/presetbar/PresetBarPresetMenu.h"
#include "QORLIB/gui/presetbar/PresetBarScaleCornerControl.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetManager.h"

#include <cmath>

void QorPresetBarEditor::refreshName()
{
    if (!isOpen_ || !manager_)
        return;
    const QorPresetManager::DisplayText text = manager_->displayText();
    name_->setName(text.number, text.name, manager_->modified());
}

void QorPresetBarEditor::refreshAB()
{
    if (!isOpen_ || !manager_)
        return;
    const bool a = manager_->setupAActive();
    ab_->setValue(a ? 0.0 : 1.0);
    abCopy_->setDirection(a);
    ab_->invalid();
    abCopy_->invalid();
}

void QorPresetBarEditor::refreshZoom()
{
    if (!isOpen_ || zoom_ <= 0.0)
        return;
    zoomButton_->setZoomFactor(zoom_);
    corner_->setZoomFactor(zoom_);
}

void QorPresetBarEditor::idle()
{
    if (!isOpen_)
        return;
    readPointer(mouse_, buttons_);
    const double z = editorZoom();
    if (z != zoom_)
    {
        zoom_ = z;
        refreshZoom();
    }
    bool counting = false;
    for (PresetBarBasicControl* c : countdownControls_)
    {
        c->tickCountdown();
        counting = counting || c->countdown() > 0;
    }
    cornerIdle(mouse_, buttons_);
    if (counting || cornerDragging_)
        Qorwerk::IdleUpdate_Qor_Handler::instance().stayAwake();
}

QorPoint QorPresetBarEditor::cornerToDevice(const QorPoint& local) const
{
    // The grip's container sits in the corner of the editor as it is now.
    return {(width_ - kCornerSize + local.x) * zoom_, (height_ + kStripHeight - kCornerSize + local.y) * zoom_};
}

void QorPresetBarEditor::startCornerDrag(const QorPoint& device)
{
    if (device.x <= 0.0 || device.y <= 0.0)
        return;
    cornerDragging_ = true;
    dragStartZoom_ = zoom_;
    dragStart_ = device;
}

void QorPresetBarEditor::followCornerDrag(const QorPoint& device)
{
    const double sx = device.x / dragStart_.x;
    const double sy = device.y / dragStart_.y;
    double f = std::fabs(sx - 1.0) > std::fabs(sy - 1.0) ? sx : sy;
    f = f > 1.0 ? 1.0 + (f - 1.0) * 1.02 : 1.0 - (1.0 - f) * 0.9;
    const double factor = QorGlobalSettings::clampZoomFactor(f * dragStartZoom_);
    if (factor == zoom_)
        return; // the pointer seen again by the idle: nothing new to zoom to
    corner_->setZoomFactor(factor);
    cornerReporting_ = true;
    corner_->valueChanged();
    cornerReporting_ = false;
}

void QorPresetBarEditor::cornerPressed(const QorPoint& local)
{
    if (isOpen_ && !presetMenuShown_ && !configMenuShown_)
        startCornerDrag(cornerToDevice(local));
}

void QorPresetBarEditor::cornerMoved(const QorPoint& local)
{
    if (isOpen_ && cornerDragging_)
        followCornerDrag(cornerToDevice(local));
}

void QorPresetBarEditor::cornerIdle(const QorPoint& mouse, uint32_t buttons)
{
    const bool leftDown = (buttons & kQorLButton) != 0;
    // Device pixels at the zoom now, so that the grip stays under the pointer while the editor grows.
    const QorPoint device{mouse.x * zoom_, mouse.y * zoom_};
    if (cornerDragging_)
    {
        if (!leftDown)
            cornerDragging_ = false;
        else
            followCornerDrag(device);
        return;
    }
    const QorRect area{width_ - kCornerSize, height_ + kStripHeight - kCornerSize, width_, height_ + kStripHeight};
    if (area.contains(mouse) && !presetMenuShown_ && !configMenuShown_)
    {
        // The drag itself starts with a press on the grip: a button held over the corner
        // belongs to whatever took its press.
        if (!cornerShown_)
        {
            showContainer(cornerOverlay_);
            cornerShown_ = true;
        }
    }
    else if (cornerShown_)
    {
        hideContainer(cornerOverlay_);
        cornerShown_ = false;
    }
}

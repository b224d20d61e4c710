#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"

#include "QORLIB/gui/IdleUpdate_Qor_Handler.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/Control.h"
#include "QORLIB/presets/QorGlobalSettings.h"

#include <cmath>

namespace Qorwerk
{

QorVSTGUIEditorWrapperV2::QorVSTGUIEditorWrapperV2(const EditorFactory& makeEditor)
    : QorVSTGUIEditorWrapperV1(makeEditor)
{
    IdleUpdate_Qor_Handler::instance();
}

QorVSTGUIEditorWrapperV2::~QorVSTGUIEditorWrapperV2() { close(); }

void QorVSTGUIEditorWrapperV2::frameOpened()
{
    // An editor opens at the user's zoom.
    setZoom(QorGlobalSettings::zoomPercent() / 100.0);
    hintShown_ = false;
    restTicks_ = 0;
    lastView_ = nullptr;
    readout_.attach(getFrame());
    IdleUpdate_Qor_Handler::instance().add(this);
}

void QorVSTGUIEditorWrapperV2::frameClosing()
{
    IdleUpdate_Qor_Handler::instance().remove(this);
    hideHint();
    readout_.detach();
    readoutView_ = nullptr;
    restView_ = nullptr;
    readoutTag_ = -1;
    readoutRest_ = 0;
}

bool QorVSTGUIEditorWrapperV2::setZoom(double zoom)
{
    double z = zoom_;
    if (!QorFrame::zoomFor(zoom, z))
        return false;
    zoom_ = z;
    if (QorFrame* frame = getFrame())
        frame->setZoom(z);
    const QorRect r = getEditorRect();
    resize(static_cast<int32_t>(r.width()), static_cast<int32_t>(r.height() - kStripHeight));
    return true;
}

void QorVSTGUIEditorWrapperV2::setHintsEnabled(bool on)
{
    hintsEnabled_ = on;
    if (!on)
        hideHint();
}

void QorVSTGUIEditorWrapperV2::hideHint()
{
    if (QorFrame* frame = getFrame(); frame && hintShown_)
        frame->hideTooltip();
    hintShown_ = false;
}

void QorVSTGUIEditorWrapperV2::idle()
{
    QorFrame* frame = getFrame();
    if (!frame)
        return;
    const bool active = frame->isActive() && !resizeBatchOpen();
    const qortk::Point pointer = frame->currentMousePosition();
    buttons_ = frame->currentButtons();

    if (QorBaseEditor* editor = getEditor())
        editor->idle();

    // Follow the user's setting; the strip's configuration menu listens to message 57 too.
    const bool settingOn = QorGlobalSettings::hintsFlag() != 0;
    if (settingOn != hintsEnabled_)
    {
        setHintsEnabled(settingOn);
        forwardParameter(QorGlobalSettings::kHintsSetting, settingOn ? 1.0 : 0.0);
    }
    if (!getFrame())
        return; // the product editor closed us

    const qortk::View* under = frame->viewAt(pointer, true);
    const uint32_t held = buttons_ & (qortk::kLButton | qortk::kMButton | qortk::kRButton);
    const bool moved = std::abs(pointer.x - lastPointer_.x) > 1.0 || std::abs(pointer.y - lastPointer_.y) > 1.0;
    const qortk::View* view = nullptr;
    if (hintsEnabled_ && active)
    {
        view = under;
        const bool pressed = held == qortk::kLButton || held == qortk::kRButton;
        if (pressed || moved || view != lastView_)
        {
            hideHint();
            restTicks_ = 0;
        }
        else if (!hintShown_ && ++restTicks_ >= kHintTicks)
        {
            // Counts as shown even without text, so the count waits for the pointer to move.
            hintShown_ = true;
            if (view && !view->tooltipText().empty())
            {
                frame->showTooltip({pointer.x, pointer.y, pointer.x + kHintWidth, pointer.y + kHintHeight},
                                   view->tooltipText());
                refreshReadout(); // out of the bubble's way
            }
        }
    }
    else
    {
        hideHint();
        restTicks_ = 0;
    }
    readoutIdle(under, moved, held != 0);
    lastPointer_ = pointer;
    lastView_ = view;
    // Ticks are needed while a rest is being counted, a button is held (drags follow the
    // pointer) or a resize batch is open; anything else waits for the next event.
    const bool hintCounting = hintsEnabled_ && active && !hintShown_;
    const bool readoutCounting = !readout_.isShown() && readoutRest_ < kReadoutTicks;
    if (hintCounting || readoutCounting || held != 0 || resizeBatchOpen())
        IdleUpdate_Qor_Handler::instance().stayAwake();
}

void QorVSTGUIEditorWrapperV2::readoutIdle(const qortk::View* under, bool moved, bool held)
{
    if (readout_.isShown())
    {
        // A drag keeps it wherever the pointer goes; otherwise it leaves with the pointer.
        if (!held && under != readoutView_)
        {
            readout_.hide();
            readoutView_ = nullptr;
            readoutTag_ = -1;
        }
        readoutRest_ = 0;
    }
    else if (!held && !moved && under == restView_)
    {
        if (++readoutRest_ == kReadoutTicks)
            showReadout(under);
    }
    else
        readoutRest_ = 0;
    restView_ = under;
}

// Only views of the product area that the product editor gives a text show a value.
void QorVSTGUIEditorWrapperV2::showReadout(const qortk::View* view)
{
    const auto* control = dynamic_cast<const qortk::Control*>(view);
    QorBaseEditor* editor = getEditor();
    if (!control || !editor || control->tag() < 0 || !getProductArea() || !control->isDescendantOf(getProductArea()))
        return;
    const std::string text = editor->readoutText(static_cast<uint32_t>(control->tag()));
    if (text.empty())
        return;
    readoutView_ = control;
    readoutTag_ = control->tag();
    readoutControl_ = control->frameRect();
    refreshReadout();
}

void QorVSTGUIEditorWrapperV2::refreshReadout()
{
    QorFrame* frame = getFrame();
    QorBaseEditor* editor = getEditor();
    if (!frame || !editor || readoutTag_ < 0)
        return;
    const qortk::Rect hint = frame->tooltip().coveredRect(frame->viewSize());
    readout_.show(readoutControl_, editor->readoutText(static_cast<uint32_t>(readoutTag_)), hint);
}

void QorVSTGUIEditorWrapperV2::valueChanged(qortk::Control* control)
{
    IdleUpdate_Qor_Handler::instance().wake();
    QorVSTGUIEditorWrapperV1::valueChanged(control);
    if (getFrame())
        showReadout(control);
}

void QorVSTGUIEditorWrapperV2::forwardParameter(int32_t index, double value)
{
    // Values, meter readings and settings all arrive here.
    IdleUpdate_Qor_Handler::instance().wake();
    QorVSTGUIEditorWrapperV1::forwardParameter(index, value);
    // A host change of the value on show (automation while the pointer rests on the control).
    if (index == readoutTag_ && readout_.isShown())
        refreshReadout();
}

} // namespace Qorwerk

#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"

#include "QORLIB/gui/IdleUpdate_Qor_Handler.h"
#include "QORLIB/gui/QorFrame.h"
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
    redrawCountdown_ = kRedrawCountdown;
    IdleUpdate_Qor_Handler::instance().add(this);
}

void QorVSTGUIEditorWrapperV2::frameClosing()
{
    IdleUpdate_Qor_Handler::instance().remove(this);
    hideHint();
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

    const qortk::View* view = nullptr;
    if (hintsEnabled_ && active)
    {
        view = frame->viewAt(pointer, true);
        const uint32_t held = buttons_ & (qortk::kLButton | qortk::kMButton | qortk::kRButton);
        const bool pressed = held == qortk::kLButton || held == qortk::kRButton;
        const bool moved = std::abs(pointer.x - lastPointer_.x) > 1.0 || std::abs(pointer.y - lastPointer_.y) > 1.0;
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
                frame->showTooltip({pointer.x, pointer.y, pointer.x + kHintWidth, pointer.y + kHintHeight},
                                   view->tooltipText());
        }
    }
    else
    {
        hideHint();
        restTicks_ = 0;
    }
    lastPointer_ = pointer;
    lastView_ = view;

    if (redrawCountdown_ == 0)
    {
        invalidateAll();
        redrawCountdown_ = kRedrawCountdown;
    }
    else
        --redrawCountdown_;
}

} // namespace Qorwerk

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_EditorWrapper.h"

#include "QORLIB/QorBaseParametersController.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_ControllerWrapper.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_Qor_AAXWrapper_GUI.h"
#include "QORLIB/format/aax/sdk/AAX_IViewContainer.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"
#include "QORLIB/presets/QorPresetNotifications.h"
#include "vellaCor/editor/vellaCorEditor.h"
#include "vellaCor/vellaCorParameters.h"

#include <memory>

Qor_AAX_EditorWrapper::Qor_AAX_EditorWrapper()
    : QorVSTGUIEditorWrapperV4_PresetBar([](QorMasterGraphicalEngine* e) { return std::make_unique<vellaCorEditor>(e); })
{
    setPluginFormat(QorPluginFormats::kAax);
}

Qor_AAX_EditorWrapper::~Qor_AAX_EditorWrapper() { detach(); }

bool Qor_AAX_EditorWrapper::attach(unsigned long parentWindow)
{
    // A window id of 0 names no window: the editor then lives offscreen.
    return open(parentWindow != 0 ? Platform::kX11Embedded : Platform::kOffscreen, parentWindow);
}

void Qor_AAX_EditorWrapper::detach() { close(); }

void Qor_AAX_EditorWrapper::link(Qor_AAX_ControllerWrapper* bridge, Qor_KXRB_2220_Qor_AAXWrapper_GUI* gui)
{
    if (bridge != bridge_)
        endAllGestures(); // released where they were touched
    bridge_ = bridge;
    gui_ = gui;
    setManager(bridge != nullptr ? bridge->getPresetManager() : nullptr);
}

void Qor_AAX_EditorWrapper::setViewRect(double left, double top, double right, double bottom)
{
    viewRect_[0] = left;
    viewRect_[1] = top;
    viewRect_[2] = right;
    viewRect_[3] = bottom;
}

void Qor_AAX_EditorWrapper::frameRect(double rect[4]) const
{
    rect[0] = rect[1] = 0.0;
    if (const Qorwerk::QorFrame* f = frame())
    {
        rect[2] = f->deviceWidth();
        rect[3] = f->deviceHeight();
        return;
    }
    // Not open yet: the size it will open with, so that a host can size its window first.
    QorPoint size;
    const_cast<Qor_AAX_EditorWrapper*>(this)->getScaledSize(size);
    rect[2] = double(vellaCorParameters::truncToInt(size.x));
    rect[3] = double(vellaCorParameters::truncToInt(size.y));
}

void* Qor_AAX_EditorWrapper::getFrame() { return frame(); }

void Qor_AAX_EditorWrapper::forwardParameter(int32_t index, double value)
{
    QorVSTGUIEditorWrapperV4_PresetBar::forwardParameter(index, value);
}

void Qor_AAX_EditorWrapper::sendParameter(int32_t index, double value)
{
    if (bridge_ == nullptr)
        return;
    Qor_AAX_ControllerWrapper& b = *bridge_;
    if (b.groupActive)
        ++b.groupEditCount;
    if (index == kPresetLoadBegin)
    {
        b.groupSuppress = b.groupActive = true;
        b.groupEditCount = 0;
        b.echoProgress = 0;
    }
    else if (index == kPresetLoadEnd)
    {
        // The count includes the closing 71 and one edit more than the bridge re-brackets.
        b.groupCount = b.groupEditCount - 2;
        b.groupActive = false;
        b.groupEditCount = -1;
    }
    else if (index >= 0 && index < Qor_AAX_ControllerWrapper::kFirstEditorValue)
    {
        // The host answers with UpdateParameterNormalizedValue and ParameterUpdated; the
        // editor shows the value when the host's echo arrives, not before.
        b.pushToHost(index, value);
        return;
    }
    if (b.controller != nullptr && !b.notifyBusy)
    {
        b.notifyBusy = true;
        b.controller->parameterChangedNotification(index, value);
        b.notifyBusy = false;
    }
    if (index >= Qor_AAX_ControllerWrapper::kFirstEditorValue && b.editor != nullptr)
        b.editor->forwardParameter(index, value);
    if (index >= Qor_AAX_ControllerWrapper::kFirstEditorValue && index < Qor_AAX_ControllerWrapper::kNumValues)
    {
        b.pendingDirty = true;
        b.pendingValues[index] = value;
        b.currentValues[index] = value;
    }
}

void Qor_AAX_EditorWrapper::beginEdit(int32_t index)
{
    if (bridge_ != nullptr)
        bridge_->beginGesture(index);
}

void Qor_AAX_EditorWrapper::endEdit(int32_t index)
{
    if (bridge_ != nullptr)
        bridge_->endGesture(index);
}

void Qor_AAX_EditorWrapper::resize(int32_t width, int32_t height)
{
    QorVSTGUIEditorWrapperV4_PresetBar::resize(width, height);
    if (!resizeBatchOpen())
        reportSize();
}

void Qor_AAX_EditorWrapper::setResizeBatch(bool open)
{
    QorVSTGUIEditorWrapperV4_PresetBar::setResizeBatch(open);
    // A batch applies its last size when it closes; the host hears of that size.
    if (!open)
        reportSize();
}

void Qor_AAX_EditorWrapper::reportSize()
{
    double r[4];
    frameRect(r);
    if (r[2] <= 0.0 || r[3] <= 0.0)
        return;
    setViewRect(r[0], r[1], r[2], r[3]);
    if (gui_ == nullptr || gui_->viewContainer() == nullptr)
        return;
    AAX_Point size;
    size.horz = float(r[2] - r[0]);
    size.vert = float(r[3] - r[1]);
    gui_->viewContainer()->SetViewSize(size);
}

uint32_t Qor_AAX_EditorWrapper::heldKeys() const
{
    if (keyboard_)
        return keyboard_();
    uint32_t held = 0;
    if (const Qorwerk::QorFrame* f = frame(); f != nullptr && f->platform() != nullptr && f->platform()->queryHeldKeys(held))
        return held;
    return 0;
}

uint32_t Qor_AAX_EditorWrapper::hostModifiers(uint32_t buttons) const
{
    uint32_t modifiers = 0;
    if (buttons & qortk::kControl)
        modifiers |= kModControl;
    if (buttons & qortk::kSystemKey)
        modifiers |= kModWindows;
    if (buttons & qortk::kAlt)
        modifiers |= kModAlt;
    if (buttons & qortk::kRButton)
        modifiers |= kModSecondaryButton;
    const uint32_t all = qortk::kControl | qortk::kAlt | qortk::kSystemKey;
    if ((heldKeys() & all) == all)
        modifiers = kModAllThree;
    return modifiers;
}

int32_t Qor_AAX_EditorWrapper::parameterMouseDown(int32_t index, uint32_t buttons)
{
    const uint32_t flags = index >= 0 && index < Qor_AAX_ControllerWrapper::kNumValues
                               ? vellaCorParameters::getParameterFlags(uint32_t(index))
                               : 0;
    AAX_IViewContainer* container = gui_ != nullptr ? gui_->viewContainer() : nullptr;
    if ((flags & vellaCorParameters::kHostParameter) == 0 || container == nullptr)
        return int32_t(flags);
    const char* id = vellaCorParameters::tables().identifiers[size_t(index)].c_str();
    return container->HandleParameterMouseDown(id, hostModifiers(buttons));
}

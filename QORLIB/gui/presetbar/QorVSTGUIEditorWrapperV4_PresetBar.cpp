#include "QORLIB/gui/presetbar/QorVSTGUIEditorWrapperV4_PresetBar.h"

#include "QORLIB/gui/CQorViewContainerWrapper.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/presetbar/PresetBarNameControl.h"
#include "QORLIB/gui/presetbar/PresetBarSaveField.h"
#include "QORLIB/gui/toolkit/Control.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "QORLIB/presets/QorUserPresetFolder.h"


namespace Qorwerk
{

void QorVSTGUIEditorWrapperV4_PresetBar::BarListener::valueChanged(qortk::Control* control)
{
    if (bar && control && control->tag() >= 0)
        bar->valueChanged(control->tag(), control->value());
}

QorVSTGUIEditorWrapperV4_PresetBar::QorVSTGUIEditorWrapperV4_PresetBar(const EditorFactory& makeEditor)
    : QorVSTGUIEditorWrapperV2(makeEditor)
{
    listener_.bar = this;
}

QorVSTGUIEditorWrapperV4_PresetBar::~QorVSTGUIEditorWrapperV4_PresetBar() { close(); }

void QorVSTGUIEditorWrapperV4_PresetBar::frameOpened()
{
    QorVSTGUIEditorWrapperV2::frameOpened();
    const QorRect r = getEditorRect();
    QorPresetBarEditor::open(r.width(), r.height() - QorPresetBarEditor::kStripHeight);
}

void QorVSTGUIEditorWrapperV4_PresetBar::frameClosing()
{
    closeSaveField();
    QorPresetBarEditor::close();
    if (QorFrame* frame = getFrame())
        for (const auto& c : containers_)
            frame->removeView(c->view().get());
    containers_.clear();
    QorVSTGUIEditorWrapperV2::frameClosing();
}

void QorVSTGUIEditorWrapperV4_PresetBar::editorResized(double width, double height)
{
    QorPresetBarEditor::resized(width, height);
}

void QorVSTGUIEditorWrapperV4_PresetBar::idle()
{
    QorVSTGUIEditorWrapperV2::idle();
    if (getFrame())
        QorPresetBarEditor::idle();
}

void QorVSTGUIEditorWrapperV4_PresetBar::forwardParameter(int32_t index, double value)
{
    QorVSTGUIEditorWrapperV1::forwardParameter(index, value);
    QorPresetBarEditor::parameterChanged(index, value);
}

CQorViewContainerWrapper* QorVSTGUIEditorWrapperV4_PresetBar::find(QorViewContainer* container) const
{
    for (const auto& c : containers_)
        if (c.get() == container)
            return c.get();
    return nullptr;
}

QorViewContainer* QorVSTGUIEditorWrapperV4_PresetBar::createContainer(const QorRect& rect)
{
    if (!getFrame())
        return nullptr;
    containers_.push_back(std::make_unique<CQorViewContainerWrapper>(rect, this, &listener_));
    return containers_.back().get();
}

void QorVSTGUIEditorWrapperV4_PresetBar::showContainer(QorViewContainer* container)
{
    CQorViewContainerWrapper* c = find(container);
    QorFrame* frame = getFrame();
    if (!c || !frame)
        return;
    frame->removeView(c->view().get());
    frame->addView(c->view());
    c->view()->invalid();
}

void QorVSTGUIEditorWrapperV4_PresetBar::hideContainer(QorViewContainer* container)
{
    CQorViewContainerWrapper* c = find(container);
    if (QorFrame* frame = getFrame(); c && frame && frame->hasChild(c->view().get()))
    {
        c->view()->invalid();
        frame->removeView(c->view().get());
    }
}

void QorVSTGUIEditorWrapperV4_PresetBar::readPointer(QorPoint& where, uint32_t& buttons)
{
    QorFrame* frame = getFrame();
    if (!frame)
        return;
    const qortk::Point p = frame->currentMousePosition();
    where = {p.x, p.y};
    buttons = frame->currentButtons();
}

void QorVSTGUIEditorWrapperV4_PresetBar::savePreset()
{
    QorPresetManager* manager = getManager();
    QorFrame* frame = getFrame();
    if (!manager || !frame)
        return;
    if (QorSaveDialog::available())
    {
        manager->savePresetDialog();
        return;
    }
    // No desktop dialog: the file name is typed over the name field, and saving never depends
    // on a desktop tool.
    openNameField(PresetBarSaveField::Mode::Save);
}

void QorVSTGUIEditorWrapperV4_PresetBar::renamePreset() { openNameField(PresetBarSaveField::Mode::Rename); }

void QorVSTGUIEditorWrapperV4_PresetBar::openNameField(PresetBarSaveField::Mode mode)
{
    QorPresetManager* manager = getManager();
    QorFrame* frame = getFrame();
    if (!manager || !frame)
        return;
    closeSaveField();
    saveField_ = std::make_shared<PresetBarSaveField>(getEditorRect().width(), mode, *manager, [this] { closeSaveField(); });
    frame->addView(saveField_);
    frame->setFocusView(saveField_.get());
    saveField_->startEditing();
}

void QorVSTGUIEditorWrapperV4_PresetBar::closeSaveField()
{
    if (!saveField_)
        return;
    // Kept alive until the end of this call: it may be the caller.
    std::shared_ptr<PresetBarSaveField> field = std::move(saveField_);
    if (QorFrame* frame = getFrame(); frame && frame->hasChild(field.get()))
        frame->removeView(field.get());
}

} // namespace Qorwerk

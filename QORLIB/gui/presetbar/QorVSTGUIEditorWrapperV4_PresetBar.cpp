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

#include <algorithm>

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
    closeSaveField();
    const std::string folder = manager->userFolder();
    saveField_ = std::make_shared<PresetBarSaveField>(
        qortk::Rect{128, 3, 366, 23},
        [this, folder](const std::string& name) {
            QorPresetManager* m = getManager();
            std::string file = name;
            std::replace(file.begin(), file.end(), '/', '-'); // a name is no path
            if (m && !file.empty() && !folder.empty())
                m->savePresetAs(folder + "/" + QorUserPresetFolder::withSingleExtension(file));
            closeSaveField();
        },
        [this] {
            // Cancelled like a dialog: presets added meanwhile still show up.
            if (QorPresetManager* m = getManager())
                m->rescanUserPresets();
            closeSaveField();
        });
    saveField_->setText(manager->current().name);
    saveField_->setFontColour({0, 0, 0, 255});
    saveField_->setBackColour({255, 255, 255, 255});
    saveField_->setFrameColour({54, 151, 206, 255});
    saveField_->setTooltipText("Type the preset's file name; Return saves it in " + folder + ", Escape cancels");
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

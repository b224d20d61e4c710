#pragma once

#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"
#include "QORLIB/gui/presetbar/PresetBarSaveField.h"
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"
#include "QORLIB/gui/toolkit/ControlListener.h"

#include <memory>
#include <vector>

namespace qortk
{
class View;
}

namespace Qorwerk
{

class CQorViewContainerWrapper;

// The editor engine with the preset bar in its strip: the strip's containers live in the frame,
// their edits go to the preset bar, zoom requests resize the editor, and notifications on the
// parameter path reach both the product editor and the preset bar.
class QorVSTGUIEditorWrapperV4_PresetBar : public QorVSTGUIEditorWrapperV2, public QorPresetBarEditor
{
public:
    explicit QorVSTGUIEditorWrapperV4_PresetBar(const EditorFactory& makeEditor);
    ~QorVSTGUIEditorWrapperV4_PresetBar() override;

    using QorVSTGUIEditorWrapperV1::open;
    using QorVSTGUIEditorWrapperV1::valueChanged;
    using QorPresetBarEditor::valueChanged;
    void close() { QorVSTGUIEditorWrapperV1::close(); }
    bool isOpen() const { return QorVSTGUIEditorWrapperV1::isOpen(); }
    // The in-editor name field while it is shown: saving (no save dialog on this desktop) or
    // renaming.
    PresetBarSaveField* saveField() const { return saveField_.get(); }

    void idle() override;
    void forwardParameter(int32_t index, double value) override;

    void applyZoom(double factor) override { setZoom(factor); }
    QorViewContainer* createContainer(const QorRect& rect) override;
    void showContainer(QorViewContainer* container) override;
    void hideContainer(QorViewContainer* container) override;
    void announce(int32_t id, double value) override { sendParameter(id, value); }
    void showHints(bool on) override { setHintsEnabled(on); }
    void readPointer(QorPoint& where, uint32_t& buttons) override;
    double editorZoom() override { return getZoomFactor(); }
    const QorPluginFormat& editorFormat() const override { return pluginFormat(); }

protected:
    void frameOpened() override;
    void frameClosing() override;
    void editorResized(double width, double height) override;
    void savePreset() override;
    void renamePreset() override;

private:
    // Edits of the strip's and the menus' controls.
    struct BarListener : qortk::ControlListener
    {
        QorPresetBarEditor* bar = nullptr;
        void valueChanged(qortk::Control* control) override;
    };
    CQorViewContainerWrapper* find(QorViewContainer* container) const;
    void closeSaveField();
    void openNameField(PresetBarSaveField::Mode mode);

    BarListener listener_;
    std::vector<std::unique_ptr<CQorViewContainerWrapper>> containers_;
    std::shared_ptr<PresetBarSaveField> saveField_;
};

} // namespace Qorwerk

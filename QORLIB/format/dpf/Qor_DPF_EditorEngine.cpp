#include "QORLIB/format/dpf/Qor_DPF_UI.h"

#include "QORLIB/format/dpf/Qor_DPF_EditorEngine.h"
#include "vellaCor/editor/vellaCorEditor.h"

#include <memory>

namespace Qor_DPF
{

EditorEngine::EditorEngine(DISTRHO::QorUI& ui)
    : QorVSTGUIEditorWrapperV4_PresetBar([](QorMasterGraphicalEngine* e) { return std::make_unique<vellaCorEditor>(e); }),
      ui_(ui)
{
}

EditorEngine::~EditorEngine() { close(); }

void EditorEngine::sendParameter(int32_t index, double value) { ui_.editorEdit(index, value); }

void EditorEngine::beginEdit(int32_t index) { ui_.editorBeginEdit(index); }

void EditorEngine::endEdit(int32_t index) { ui_.editorEndEdit(index); }

void EditorEngine::editorResized(double width, double height)
{
    QorVSTGUIEditorWrapperV4_PresetBar::editorResized(width, height);
    ui_.editorResized();
}

} // namespace Qor_DPF

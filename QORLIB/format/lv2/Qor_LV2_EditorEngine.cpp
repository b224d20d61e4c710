#include "QORLIB/format/lv2/Qor_LV2_EditorEngine.h"

#include "QORLIB/format/lv2/Qor_LV2_UI.h"
#include "vellaCor/editor/vellaCorEditor.h"

#include <memory>

namespace Qor_LV2
{

EditorEngine::EditorEngine(UI& ui)
    : QorVSTGUIEditorWrapperV4_PresetBar([](QorMasterGraphicalEngine* e) { return std::make_unique<vellaCorEditor>(e); }),
      ui_(ui)
{
    setPluginFormat(QorPluginFormats::kLv2);
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

} // namespace Qor_LV2

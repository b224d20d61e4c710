#include "tools/StandaloneEditorEngine.h"

#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "tools/EditorAudioLoop.h"
#include "vellaCor/editor/vellaCorEditor.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorIdentity.h"
#include "vellaCor/vellaCorParameters.h"

#include <memory>

StandaloneEditorEngine::StandaloneEditorEngine(EditorAudioLoop* loop, const std::string& inputName)
    : QorVSTGUIEditorWrapperV4_PresetBar([](QorMasterGraphicalEngine* e) { return std::make_unique<vellaCorEditor>(e); }),
      loop_(loop), inputName_(inputName), host_(*this, loop),
      manager_(&host_, vellaCorFactoryPresets::presetProduct())
{
    setPluginFormat(QorPluginFormats::kStandalone);
    host_.setManager(&manager_);
    setManager(&manager_);
}

StandaloneEditorEngine::~StandaloneEditorEngine() { close(); }

void StandaloneEditorEngine::applyCurrentPreset() { manager_.applyRecord(&manager_.current()); }

std::string StandaloneEditorEngine::windowTitle() const
{
    const QorPresetManager::DisplayText text = manager_.displayText();
    std::string title = std::string(vellaCorIdentity::kProductName) + " - " + text.name;
    if (!inputName_.empty())
        title += " - " + inputName_;
    return title;
}

void StandaloneEditorEngine::sendParameter(int32_t index, double value)
{
    if (index >= 0 && uint32_t(index) < vellaCorParameters::kNumPushFlags)
    {
        if (loop_)
            loop_->setParameter(uint32_t(index), value);
        manager_.parameterChanged(index, value);
    }
    forwardParameter(index, value);
}

void StandaloneEditorEngine::idle()
{
    if (loop_ && getFrame())
        forwardParameter(vellaCorParameters::kGainReduction, loop_->meter());
    QorVSTGUIEditorWrapperV4_PresetBar::idle();
    if (auto* window = getFrame() ? dynamic_cast<qortk::X11Window*>(getFrame()->platform()) : nullptr)
    {
        const std::string title = windowTitle();
        if (title != shownTitle_)
        {
            window->setTitle(title);
            shownTitle_ = title;
        }
    }
}

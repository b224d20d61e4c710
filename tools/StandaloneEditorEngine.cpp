#include "tools/StandaloneEditorEngine.h"

#include "tools/EditorAudioLoop.h"
#include "vellaCor/editor/vellaCorEditor.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

#include <memory>

StandaloneEditorEngine::StandaloneEditorEngine(EditorAudioLoop* loop)
    : QorVSTGUIEditorWrapperV2([](QorMasterGraphicalEngine* e) { return std::make_unique<vellaCorEditor>(e); }),
      loop_(loop)
{
}

void StandaloneEditorEngine::applyFactoryPreset(int32_t number)
{
    double values[vellaCorParameters::kNumPushFlags];
    for (uint32_t i = 0; i < vellaCorParameters::kNumPushFlags; ++i)
        values[i] = vellaCorParameters::getParameterDefault(i);
    vellaCorFactoryPresets::getFactoryPreset(number, values, nullptr, nullptr);
    for (uint32_t i = 0; i < vellaCorParameters::kNumPushFlags; ++i)
        if (vellaCorParameters::getParameterFlags(i) & vellaCorParameters::kHostParameter)
            sendParameter(int32_t(i), values[i]);
}

void StandaloneEditorEngine::sendParameter(int32_t index, double value)
{
    if (index >= 0 && uint32_t(index) < vellaCorParameters::kNumPushFlags && loop_)
        loop_->setParameter(uint32_t(index), value);
    forwardParameter(index, value);
}

void StandaloneEditorEngine::idle()
{
    if (loop_ && isOpen())
        forwardParameter(vellaCorParameters::kGainReduction, loop_->meter());
    QorVSTGUIEditorWrapperV2::idle();
}

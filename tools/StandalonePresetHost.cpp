#include "tools/StandalonePresetHost.h"

#include "QORLIB/gui/QorMasterGraphicalEngine.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "tools/EditorAudioLoop.h"
#include "vellaCor/vellaCorParameters.h"

void StandalonePresetHost::parameterChanged(int32_t index, double value)
{
    if (index >= 0 && uint32_t(index) < vellaCorParameters::kNumPushFlags && loop_ &&
        (vellaCorParameters::getParameterFlags(uint32_t(index)) & vellaCorParameters::kHostParameter))
        loop_->setParameter(uint32_t(index), value);
    engine_.forwardParameter(index, value);
}

int StandalonePresetHost::setGlobalSetting(int32_t number, double value)
{
    return QorGlobalSettings::setGlobalSetting(number, value);
}

int StandalonePresetHost::getGlobalSetting(int32_t number, double& value)
{
    return QorGlobalSettings::getGlobalSetting(number, value);
}

#include "tools/StandalonePresetHost.h"

#include "QORLIB/gui/QorMasterGraphicalEngine.h"
#include "tools/EditorAudioLoop.h"
#include "vellaCor/vellaCorParameters.h"

void StandalonePresetHost::parameterChanged(int32_t index, double value)
{
    if (index >= 0 && uint32_t(index) < vellaCorParameters::kNumPushFlags && loop_ &&
        (vellaCorParameters::getParameterFlags(uint32_t(index)) & vellaCorParameters::kHostParameter))
        loop_->setParameter(uint32_t(index), value);
    engine_.forwardParameter(index, value);
}

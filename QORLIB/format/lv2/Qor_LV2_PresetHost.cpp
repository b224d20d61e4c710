#include "QORLIB/format/lv2/Qor_LV2_PresetHost.h"

#include "QORLIB/presets/QorGlobalSettings.h"

namespace Qor_LV2
{

int PresetHost::setGlobalSetting(int32_t number, double value) { return QorGlobalSettings::setGlobalSetting(number, value); }
int PresetHost::getGlobalSetting(int32_t number, double& value) { return QorGlobalSettings::getGlobalSetting(number, value); }

} // namespace Qor_LV2

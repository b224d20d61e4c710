#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_HostDefaults.h"

#include "QORLIB/presets/QorPresetRecord.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

namespace Qor_AAX_HostDefaults
{
double value(uint32_t index)
{
    if (index >= uint32_t(QorPresetRecord::kNumValues))
        return vellaCorParameters::getParameterDefault(index);
    // A factory preset writes only the values it stores; the others keep their defaults.
    double values[QorPresetRecord::kNumValues];
    for (uint32_t i = 0; i < uint32_t(QorPresetRecord::kNumValues); ++i)
        values[i] = vellaCorParameters::getParameterDefault(i);
    vellaCorFactoryPresets::getFactoryPreset(0, values, nullptr, nullptr);
    return values[index];
}
} // namespace Qor_AAX_HostDefaults

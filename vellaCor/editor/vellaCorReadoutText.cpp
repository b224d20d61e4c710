#include "vellaCor/editor/vellaCorReadoutText.h"

#include "vellaCor/vellaCorParameters.h"

std::string vellaCorReadoutText(uint32_t tag, double controlValue)
{
    using namespace vellaCorParameters;
    switch (tag)
    {
    case kProcess: return getParameterDisplay(kProcess, 1.0 - controlValue); // the switch runs Valve → Off
    case kOutput: return getParameterDisplay(kOutput, controlValue) + " dB";
    case kRatio:
    case kAttackRatio:
    case kTime:
    case kCompression:
    case kValveLevel: return getParameterDisplay(tag, controlValue);
    default: return {};
    }
}

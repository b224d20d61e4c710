#include "vellaCor/vellaCorParameters.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vellaCorParameters
{
namespace
{
const char* const kProcessTexts[] = {"Off", "Clear", "Valve"};
const char* const kRatioTexts[] = {"1.2:1", "1.5:1", "2:1", "3:1", "4:1", "6:1", "10:1"};
const char* const kAttackTexts[] = {"x0.25", "x0.4", "x0.6", "x1", "x1.6", "x2.5", "x4"};
const char* const kValveTexts[] = {"-3", "-2", "-1", "0", "+1", "+2", "+3"};

std::string twoDecimals(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}
} // namespace

int32_t truncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int32_t>(v);
}

std::string getParameterName(uint32_t index)
{
    switch (index)
    {
    case kProcess: return "Process";
    case kRatio: return "Ratio";
    case kAttackRatio: return "AttackRatio";
    case kTime: return "Time";
    case kCompression: return "Compression";
    case kOutput: return "Output";
    case kValveLevel: return "ValveLevel";
    case kGainReduction: return "Gain Reduction";
    default: return " ";
    }
}

int32_t getParameterStepMax(uint32_t index)
{
    switch (index)
    {
    case kProcess: return 2;
    case kRatio:
    case kAttackRatio:
    case kValveLevel: return 6;
    default: return 0;
    }
}

int32_t getParameterStep(uint32_t index, double value)
{
    const int32_t k = getParameterStepMax(index);
    const int32_t step = truncToInt(k * value + 0.5);
    return step < 0 ? 0 : (step > k ? k : step);
}

double getParameterOnStep(uint32_t index, double value)
{
    const double v = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
    const int32_t k = getParameterStepMax(index);
    return k > 0 ? double(getParameterStep(index, v)) / k : v;
}

const char* getParameterStepText(uint32_t index, int32_t step)
{
    if (step < 0 || step > getParameterStepMax(index))
        return "";
    switch (index)
    {
    case kProcess: return kProcessTexts[step];
    case kRatio: return kRatioTexts[step];
    case kAttackRatio: return kAttackTexts[step];
    case kValveLevel: return kValveTexts[step];
    default: return "";
    }
}

std::string getParameterDisplay(uint32_t index, double value)
{
    switch (index)
    {
    case kProcess:
    case kRatio:
    case kAttackRatio:
    case kValveLevel: return getParameterStepText(index, getParameterStep(index, value));
    case kTime: return twoDecimals(truncToInt(20.0 * value + 0.5) * 0.5);
    case kCompression: return twoDecimals(truncToInt(40.0 * value + 0.5) * 0.25);
    case kOutput: return twoDecimals(truncToInt(60.0 * value + 0.5) * 0.5);
    case kGainReduction:
    {
        if (!(value >= 0.0001))
            return "-oo";
        char text[32];
        std::snprintf(text, sizeof text, "%4.2f", 20.0 * std::log10(value));
        return text;
    }
    default: return "";
    }
}

double getParameterDefault(uint32_t index)
{
    switch (index)
    {
    case kProcess: return 1.0;
    case kOutput: return 0.15;
    case kGainReduction: return 0.0;
    default: return 0.5;
    }
}

uint32_t getParameterFlags(uint32_t index)
{
    switch (index)
    {
    case kProcess:
    case kRatio:
    case kAttackRatio:
    case kTime:
    case kCompression:
    case kOutput:
    case kValveLevel: return kHostParameter | kStoredInPresets;
    case kGainReduction: return kMeter;
    default: return 0;
    }
}

int32_t getParameterStepCount(uint32_t index)
{
    switch (index)
    {
    case kTime:
    case kCompression: return 100;
    case kOutput: return 300;
    default: return 0;
    }
}

int32_t getParameterRange(uint32_t index)
{
    const int32_t steps = getParameterStepCount(index);
    switch (index)
    {
    case kTime:
    case kCompression:
    case kOutput: return truncToInt(steps * 0.1);
    default: return steps;
    }
}

const Tables& tables()
{
    static const Tables built = []
    {
        Tables t{};
        for (uint32_t i = 0; i < kNumParameters; ++i)
        {
            char text[64];
            std::snprintf(text, sizeof text, "%d: %s", static_cast<int>(i), getParameterName(i).c_str());
            t.identifiers[i] = text;
        }
        for (uint32_t i = 0; i < kNumPushFlags; ++i)
            t.pushToProcessor[i] = static_cast<uint8_t>(getParameterFlags(i) & kHostParameter);
        size_t n = 0;
        for (uint32_t i = 0; i < kNumParameters && n + 1 < t.meters.size(); ++i)
            if (getParameterFlags(i) == kMeter)
                t.meters[n++] = static_cast<int32_t>(i);
        for (; n < t.meters.size(); ++n)
            t.meters[n] = -1;
        return t;
    }();
    return built;
}

int32_t findParameterIdentifier(const std::string& identifier)
{
    const Tables& t = tables();
    for (uint32_t i = 0; i < kNumParameters; ++i)
        if (t.identifiers[i] == identifier)
            return static_cast<int32_t>(i);
    return -1;
}

} // namespace vellaCorParameters

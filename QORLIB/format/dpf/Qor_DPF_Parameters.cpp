#include "QORLIB/format/dpf/Qor_DPF_Parameters.h"

#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Qor_DPF
{
namespace
{
using namespace vellaCorParameters;

HostParameter control(const char* symbol, const char* name, const char* unit, uint32_t index, float maximum,
                      const double* defaults)
{
    const int32_t steps = getParameterStepMax(index);
    const float top = steps > 0 ? float(steps) : maximum;
    double v = defaults[index] * top;
    if (steps > 0)
        v = std::floor(v + 0.5);
    return {symbol, name, unit, int32_t(index), 0.0f, top, float(v), steps};
}

std::array<HostParameter, kNumParameters> build()
{
    // A fresh instance stands on the first factory preset, as the editor shows it.
    double defaults[12];
    for (uint32_t i = 0; i < 12; ++i)
        defaults[i] = getParameterDefault(i);
    vellaCorFactoryPresets::getFactoryPreset(0, defaults, nullptr, nullptr);
    return {control("process", "Process", "", kProcess, 0.0f, defaults),
            control("ratio", "Ratio", "", kRatio, 0.0f, defaults),
            control("attack_ratio", "Attack Ratio", "", kAttackRatio, 0.0f, defaults),
            control("time", "Time", "", kTime, 10.0f, defaults),
            control("compression", "Compression", "", kCompression, 10.0f, defaults),
            control("output", "Output", "dB", kOutput, 30.0f, defaults),
            control("valve_level", "Valve Level", "", kValveLevel, 0.0f, defaults),
            HostParameter{"bypass", "Bypass", "", -1, 0.0f, 1.0f, 0.0f, 1},
            HostParameter{"gain_reduction", "Gain Reduction", "dB", int32_t(vellaCorParameters::kGainReduction),
                          0.0f, 1.0f, 0.0f, 0}};
}

const std::array<HostParameter, kNumParameters>& table()
{
    static const std::array<HostParameter, kNumParameters> t = build();
    return t;
}

void copy(char* text, std::size_t size, const char* from)
{
    if (size == 0)
        return;
    std::snprintf(text, size, "%s", from);
}
} // namespace

const HostParameter& hostParameter(uint32_t index) { return table()[std::min(index, kNumParameters - 1)]; }

int32_t hostIndexOf(int32_t parameter)
{
    for (uint32_t i = 0; i < kNumParameters; ++i)
        if (parameter >= 0 && table()[i].parameter == parameter)
            return int32_t(i);
    return -1;
}

float plainValue(uint32_t index, double normalised)
{
    const HostParameter& p = hostParameter(index);
    const double n = std::isnan(normalised) ? double(p.defaultValue) / p.maximum : std::clamp(normalised, 0.0, 1.0);
    double v = n * p.maximum;
    if (p.steps > 0)
        v = std::floor(v + 0.5);
    return float(v);
}

double normalisedValue(uint32_t index, float plain)
{
    const HostParameter& p = hostParameter(index);
    double v = std::isnan(plain) ? double(p.defaultValue) : std::clamp(double(plain), 0.0, double(p.maximum));
    if (p.steps > 0)
        v = std::floor(v + 0.5);
    return v / p.maximum;
}

double gainReductionDb(double meter)
{
    const double gain = 1.0 - meter;
    return gain > 0.001 ? 20.0 * std::log10(std::min(gain, 1.0)) : -60.0;
}

bool valueText(uint32_t index, double plain, char* text, std::size_t size)
{
    if (index >= kNumParameters || text == nullptr)
        return false;
    const HostParameter& p = hostParameter(index);
    if (index == kBypass)
    {
        copy(text, size, plain > 0.5 ? "On" : "Off");
        return true;
    }
    if (index == kGainReduction)
    {
        char number[32];
        std::snprintf(number, sizeof number, "%.1f dB", gainReductionDb(std::isnan(plain) ? 0.0 : plain));
        copy(text, size, number);
        return true;
    }
    const double n = normalisedValue(index, float(plain));
    if (p.parameter == int32_t(vellaCorParameters::kOutput))
    {
        // The display's half-dB step, which one decimal shows exactly.
        char number[32];
        std::snprintf(number, sizeof number, "%.1f dB", truncToInt(60.0 * n + 0.5) * 0.5);
        copy(text, size, number);
        return true;
    }
    copy(text, size, getParameterDisplay(uint32_t(p.parameter), n).c_str());
    return true;
}

bool textValue(uint32_t index, const char* text, double& plain)
{
    if (index >= kNumParameters || index == kGainReduction || text == nullptr)
        return false;
    const HostParameter& p = hostParameter(index);
    if (index == kBypass)
    {
        if (std::strcmp(text, "On") == 0 || std::strcmp(text, "1") == 0)
            plain = 1.0;
        else if (std::strcmp(text, "Off") == 0 || std::strcmp(text, "0") == 0)
            plain = 0.0;
        else
            return false;
        return true;
    }
    for (int32_t s = 0; s <= p.steps && p.steps > 0; ++s)
        if (std::strcmp(text, getParameterStepText(uint32_t(p.parameter), s)) == 0)
        {
            plain = s;
            return true;
        }
    // A number, with an optional "x" (attack) or a ratio's ":1"; stepped ones go to the nearest step.
    const char* start = text[0] == 'x' ? text + 1 : text;
    char* end = nullptr;
    const double v = std::strtod(start, &end);
    if (end == start || !std::isfinite(v))
        return false;
    if (p.steps > 0)
    {
        int32_t best = 0;
        double bestDistance = HUGE_VAL;
        for (int32_t s = 0; s <= p.steps; ++s)
        {
            const char* step = getParameterStepText(uint32_t(p.parameter), s);
            const double sv = std::strtod(step[0] == 'x' ? step + 1 : step, nullptr);
            if (std::fabs(sv - v) < bestDistance)
            {
                bestDistance = std::fabs(sv - v);
                best = s;
            }
        }
        // "Off", "Clear", "Valve" have no numbers: a typed number is then the step itself.
        plain = p.parameter == int32_t(vellaCorParameters::kProcess) ? std::clamp(std::floor(v + 0.5), 0.0, double(p.steps))
                                                                     : double(best);
        return true;
    }
    plain = std::clamp(v, double(p.minimum), double(p.maximum));
    return true;
}

} // namespace Qor_DPF

#include "QORLIB/format/lv2/Qor_LV2_Ports.h"

#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Qor_LV2
{
namespace
{
using namespace vellaCorParameters;

ControlPort makePort(const char* symbol, uint32_t index, double scale, const double* defaults)
{
    const int32_t steps = getParameterStepMax(index);
    ControlPort p{symbol, int32_t(index), 0.0f, 0.0f, 0.0f, steps > 0, steps > 0 ? double(steps) : scale};
    p.maximum = float(p.scale);
    const double v = defaults[index] * p.scale;
    p.defaultValue = float(p.integer ? std::floor(v + 0.5) : v);
    return p;
}

std::array<ControlPort, kNumControls> buildPorts()
{
    // Port defaults are the first factory preset, as a host shows them before any preset is chosen.
    double defaults[12];
    for (uint32_t i = 0; i < 12; ++i)
        defaults[i] = getParameterDefault(i);
    vellaCorFactoryPresets::getFactoryPreset(0, defaults, nullptr, nullptr);
    return {makePort("process", kProcess, 0.0, defaults),        makePort("ratio", kRatio, 0.0, defaults),
            makePort("attack_ratio", kAttackRatio, 0.0, defaults), makePort("time", kTime, 10.0, defaults),
            makePort("compression", kCompression, 10.0, defaults), makePort("output", kOutput, 30.0, defaults),
            makePort("valve_level", kValveLevel, 0.0, defaults)};
}
} // namespace

const ControlPort& controlPort(uint32_t port)
{
    static const std::array<ControlPort, kNumControls> ports = buildPorts();
    return ports[std::min(port, kNumControls - 1)];
}

double normalisedValue(const ControlPort& port, float value)
{
    double v = std::isnan(value) ? double(port.defaultValue) : std::clamp(double(value), 0.0, port.scale);
    if (port.integer)
        v = std::floor(v + 0.5);
    return v / port.scale;
}

uint32_t gainReductionDbPort(bool stereo) { return kFirstAudioPort + (stereo ? 4u : 2u); }

float gainReductionDb(double meter)
{
    const double gain = 1.0 - meter;
    return gain > 0.001 ? float(20.0 * std::log10(std::min(gain, 1.0))) : kGainReductionDbFloor;
}

const std::vector<AudioPort>& audioPorts(bool stereo)
{
    static const std::vector<AudioPort> mono = {{"in", "In", PortKind::AudioIn}, {"out", "Out", PortKind::AudioOut}};
    static const std::vector<AudioPort> two = {{"in_l", "In L", PortKind::AudioIn},
                                               {"in_r", "In R", PortKind::AudioIn},
                                               {"out_l", "Out L", PortKind::AudioOut},
                                               {"out_r", "Out R", PortKind::AudioOut}};
    return stereo ? two : mono;
}

} // namespace Qor_LV2

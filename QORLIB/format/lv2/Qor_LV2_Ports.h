#pragma once

// The LV2 ports of the mono and stereo plug-ins, derived from the parameter table: one source for
// the plug-in code and the generated Turtle.

#include <cstdint>
#include <vector>

namespace Qor_LV2
{

enum class PortKind
{
    ControlIn,
    ControlOut,
    AudioIn,
    AudioOut
};

struct ControlPort
{
    const char* symbol;
    int32_t parameter; // parameter index, or -1 for "enabled"
    float minimum, maximum, defaultValue;
    bool integer;  // stepped parameter: one scale point per step
    double scale;  // port value = normalised × scale
};

inline constexpr uint32_t kNumControls = 7;
inline constexpr uint32_t kEnabledPort = kNumControls;   // lv2:enabled, 0 runs the bypass
inline constexpr uint32_t kGainReductionPort = 8;        // output: the meter after each run
inline constexpr uint32_t kFirstAudioPort = 9;

// The meter in dB, appended after the audio ports so that the ports of saved sessions keep their
// indices: 11 in mono, 13 in stereo.
uint32_t gainReductionDbPort(bool stereo);
inline constexpr float kGainReductionDbFloor = -60.0f; // the deepest curve reaches about -40 dB

// The meter value (the fraction by which the gain computer reduces the signal, 0..1) as the gain
// change in dB: 20·log10(1 - m), 0 for none, never below the floor (a full reduction or NaN).
float gainReductionDb(double meter);

// Controls in port order: process, ratio, attack_ratio, time, compression, output, valve_level.
const ControlPort& controlPort(uint32_t port);

// Normalised parameter value for a port value: clamped to the port's range, NaN to its default,
// stepped ports rounded to their nearest step.
double normalisedValue(const ControlPort& port, float value);

struct AudioPort
{
    const char* symbol;
    const char* name;
    PortKind kind;
};

// Audio ports from kFirstAudioPort on: in/out for mono, in_l, in_r, out_l, out_r for stereo.
const std::vector<AudioPort>& audioPorts(bool stereo);

} // namespace Qor_LV2

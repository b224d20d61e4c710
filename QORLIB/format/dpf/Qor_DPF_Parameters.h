#pragma once

// The host parameters of the VST3, CLAP and JACK builds, in host order, and the texts a host's
// generic controls and automation lanes show. Plain values are the ones the LV2 ports carry
// (steps for the stepped parameters, 0..10 for Time and Compression, 0 to 30 dB for Output), so
// automation reads the same in every format. Pure functions; safe on any thread.

#include <cstddef>
#include <cstdint>

namespace Qor_DPF
{

inline constexpr uint32_t kNumControls = 7;          // host indices 0..6: the stored parameters
inline constexpr uint32_t kBypass = kNumControls;    // the format's bypass
inline constexpr uint32_t kGainReduction = 8;        // output: the meter, 0..1
inline constexpr uint32_t kNumParameters = 9;

struct HostParameter
{
    const char* symbol;
    const char* name;
    const char* unit;
    int32_t parameter; // index in the parameter table, -1 for the bypass
    float minimum, maximum, defaultValue;
    int32_t steps;     // steps above the first of a stepped parameter, 0 when continuous
};

// Host index 0..8; anything larger gives the last.
const HostParameter& hostParameter(uint32_t index);

// The host index of a parameter-table index, or -1.
int32_t hostIndexOf(int32_t parameter);

// Plain host value of a normalised value and back: clamped to the range, NaN to the default,
// stepped ones on their nearest step.
float plainValue(uint32_t index, double normalised);
double normalisedValue(uint32_t index, float plain);

// The text of a plain value as the editor's displays write it ("4:1", "x2.5", "+2", "4.5 dB");
// false for an unknown index. Never writes more than size bytes (with the terminating zero).
bool valueText(uint32_t index, double plain, char* text, std::size_t size);
// A typed text back to a plain value: a step's text, or a number (a unit after it is allowed).
bool textValue(uint32_t index, const char* text, double& plain);

// The gain-reduction meter (the fraction by which the gain is reduced) in dB: 20·log10(1 - m),
// never below -60.
double gainReductionDb(double meter);

} // namespace Qor_DPF

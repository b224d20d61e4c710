#pragma once

// The parameter table: every parameter is known by its index 0..28 and every value travels
// normalised to 0..1. Pure functions of the index (and value); safe on any thread.

#include <array>
#include <cstdint>
#include <string>

namespace vellaCorParameters
{

inline constexpr uint32_t kNumParameters = 29;
inline constexpr uint32_t kNumPushFlags = 12; // indices that may reach the processor as host values

enum Index : uint32_t
{
    kProcess = 0,
    kRatio = 2,
    kAttackRatio = 3,
    kTime = 4,
    kCompression = 5,
    kOutput = 6,
    kValveLevel = 7,
    kGainReduction = 13,
};

enum Flag : uint32_t
{
    kHostParameter = 1,
    kMeter = 2,
    kKeptOnFactoryLoad = 4,
    kStoredInPresets = 8,
};

std::string getParameterName(uint32_t index);
std::string getParameterDisplay(uint32_t index, double value);
double getParameterDefault(uint32_t index);
uint32_t getParameterFlags(uint32_t index);
int32_t getParameterStepCount(uint32_t index);
int32_t getParameterRange(uint32_t index);

// Number of steps above the first of a stepped parameter (2 or 6), 0 for continuous ones.
int32_t getParameterStepMax(uint32_t index);
// The step of a stepped parameter for a normalised value: trunc(k·x + 0.5), limited to 0..k.
int32_t getParameterStep(uint32_t index, double value);
// The value a parameter really takes: a stepped parameter's value moved onto its step
// (step / k), any other value clamped to 0..1. Every value that leaves the editor or the preset
// system goes through here, so hosts never see a value between two steps.
double getParameterOnStep(uint32_t index, double value);
// The texts of the steps of a stepped parameter (empty for continuous ones).
const char* getParameterStepText(uint32_t index, int32_t step);

// Tables built once per process from the functions above.
struct Tables
{
    std::array<std::string, kNumParameters> identifiers; // "%d: %s"
    std::array<uint8_t, kNumPushFlags> pushToProcessor;  // flag bit 1 of indices 0..11
    std::array<int32_t, 64> meters;                      // indices with flag word 2, ended by -1
};
const Tables& tables();

// Index of an identifier such as "4: Time" by exact comparison, or -1.
int32_t findParameterIdentifier(const std::string& identifier);

// trunc(v) as int32 without undefined behaviour: NaN gives 0, huge values saturate.
int32_t truncToInt(double v);

} // namespace vellaCorParameters

#pragma once

// The Native process procedures registered for the mono and the stereo component. Called by
// the host's real-time audio thread with one context per instance in [begin, end); they take
// no lock, allocate nothing and make no system call.
namespace Qor_AAX_ProcessProcedure
{
void processMono(void* const instancesBegin[], const void* instancesEnd);
void processStereo(void* const instancesBegin[], const void* instancesEnd);

// Written to a custom meter tap: the value plus kMeterOffset, or kNoMeterValue when the
// processor has none.
inline constexpr float kMeterOffset = 0.1f;
inline constexpr float kNoMeterValue = 1.2345679f;
inline constexpr int kPeakInputTap = 0;
inline constexpr int kPeakOutputTap = 1;
inline constexpr int kGainReductionTap = 2;
inline constexpr int kFirstCustomTap = 3;
} // namespace Qor_AAX_ProcessProcedure

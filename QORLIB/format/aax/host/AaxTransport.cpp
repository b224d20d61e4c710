#include "QORLIB/format/aax/host/AaxTransport.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"

namespace
{
template <typename T> AAX_Result answer(T* out, T value)
{
    if (out == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *out = value;
    return AAX_SUCCESS;
}
} // namespace

AAX_Result AaxTransport::GetCurrentTempo(double* bpm) const { return answer(bpm, tempo); }
AAX_Result AaxTransport::GetCurrentNativeSampleLocation(int64_t* sample) const { return answer(sample, sampleLocation); }
AAX_Result AaxTransport::GetCurrentTickPosition(int64_t* ticks) const { return answer(ticks, tickPosition); }
AAX_Result AaxTransport::IsTransportPlaying(bool* isPlaying) const { return answer(isPlaying, playing); }

#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

// The host's transport as the process procedure reads it. Audio thread.
class AAX_ITransport
{
public:
    virtual ~AAX_ITransport() = default;
    virtual AAX_Result GetCurrentTempo(double* bpm) const = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation(int64_t* sample) const = 0;
    virtual AAX_Result GetCurrentTickPosition(int64_t* ticks) const = 0; // 960000 ticks per quarter note
    virtual AAX_Result IsTransportPlaying(bool* playing) const = 0;
};

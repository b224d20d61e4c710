#pragma once

#include "QORLIB/format/aax/sdk/AAX_ITransport.h"

// The simulated transport; the host sets it, the process procedure reads it.
class AaxTransport : public AAX_ITransport
{
public:
    AAX_Result GetCurrentTempo(double* bpm) const override;
    AAX_Result GetCurrentNativeSampleLocation(int64_t* sample) const override;
    AAX_Result GetCurrentTickPosition(int64_t* ticks) const override;
    AAX_Result IsTransportPlaying(bool* playing) const override;

    double tempo = 120.0;
    int64_t sampleLocation = 0;
    int64_t tickPosition = 0;
    bool playing = false;
};

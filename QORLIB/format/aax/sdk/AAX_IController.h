#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

// The host's side of one plug-in instance. Main thread.
class AAX_IController
{
public:
    virtual ~AAX_IController() = default;
    // Copies a packet into the data port of the instance's context; the process procedure sees
    // it from the next block on.
    virtual AAX_Result PostPacket(AAX_CFieldIndex port, const void* payload, uint32_t size) = 0;
    virtual AAX_Result GetSignalLatency(int32_t* samples) const = 0;
    virtual AAX_Result SetSignalLatency(int32_t samples) = 0;
    // The last value the host collected from a meter tap.
    virtual AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* value) const = 0;
};

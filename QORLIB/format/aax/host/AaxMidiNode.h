#pragma once

#include "QORLIB/format/aax/sdk/AAX_IMIDINode.h"

// A MIDI node of a context; a transport node hands out the host's transport.
class AaxMidiNode : public AAX_IMIDINode
{
public:
    explicit AaxMidiNode(AAX_ITransport* transport) : transport_(transport) {}
    AAX_ITransport* GetTransport() override { return transport_; }

private:
    AAX_ITransport* transport_;
};

#pragma once

class AAX_ITransport;

// A MIDI node of the context; only its transport is used here. Audio thread.
class AAX_IMIDINode
{
public:
    virtual ~AAX_IMIDINode() = default;
    // Null when the node has no transport.
    virtual AAX_ITransport* GetTransport() = 0;
};

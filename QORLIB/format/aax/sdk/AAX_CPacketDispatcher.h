#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

#include <string>
#include <vector>

class AAX_CParameterManager;
class AAX_IController;

// Carries host parameter values to the process procedure's data ports: each registered ID has
// a single-value packet (the parameter's 4-byte packet word) that is posted when dirty.
// Main thread.
class AAX_CPacketDispatcher
{
public:
    void Initialize(AAX_IController* controller, const AAX_CParameterManager* parameters);
    // A packet starts dirty, so that the first dispatch gives the port its value.
    AAX_Result RegisterPacket(AAX_CParamID id, AAX_CFieldIndex port);
    AAX_Result SetDirty(AAX_CParamID id, bool dirty = true);
    // Posts every dirty packet whose ID has a parameter; the last failed post, or 0.
    AAX_Result Dispatch();

private:
    struct Packet
    {
        std::string id;
        AAX_CFieldIndex port;
        bool dirty;
    };
    std::vector<Packet> packets_;
    AAX_IController* controller_ = nullptr;
    const AAX_CParameterManager* parameters_ = nullptr;
};

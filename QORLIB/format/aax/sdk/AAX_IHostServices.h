#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

// Diagnostics that the host offers to a module. Main thread.
class AAX_IHostServices
{
public:
    virtual ~AAX_IHostServices() = default;
    virtual AAX_Result HandleAssertFailure(const char* file, int32_t line, const char* note, int32_t flags) = 0;
    virtual AAX_Result Trace(int32_t priority, const char* message) = 0;
};

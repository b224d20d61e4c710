#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

class AAX_IHostServices;
class IACFUnknown;

// The module's one process-wide link to the host's diagnostics, alive between startup and
// shutdown. Reports made while it is missing are dropped. Main thread.
class AAX_CHostServices
{
public:
    // Builds the proxy around host; may throw std::bad_alloc.
    static void Create(IACFUnknown* host);
    static void Destroy();
    static bool Exists();

    static AAX_Result HandleAssertFailure(const char* file, int32_t line, const char* note, int32_t flags);
    static AAX_Result Trace(int32_t priority, const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    explicit AAX_CHostServices(IACFUnknown* host);

    AAX_IHostServices* host_ = nullptr; // null when the host offers no diagnostics
};

#include "QORLIB/format/aax/host/AaxHostServices.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_UIDs.h"

#include <cstdio>

ACFRESULT AaxHostServices::QueryInterface(const acfIID& iid, void** out)
{
    if (out == nullptr)
        return ACF_E_UNEXPECTED;
    *out = nullptr;
    if (iid == IID_IAAXHostServicesV1)
        *out = static_cast<AAX_IHostServices*>(this);
    else if (iid == IID_IAAXCollectionV1)
        *out = collection_;
    else if (iid == IID_IACFUnknown)
        *out = static_cast<IACFUnknown*>(this);
    return *out != nullptr ? ACF_OK : ACF_E_NOINTERFACE;
}

AAX_Result AaxHostServices::HandleAssertFailure(const char* file, int32_t line, const char* note, int32_t flags)
{
    assertions.push_back({file != nullptr ? file : "", line, note != nullptr ? note : "", flags});
    if (echo_)
        std::fprintf(stderr, "assertion %s:%d: %s\n", assertions.back().file.c_str(), int(line),
                     assertions.back().note.c_str());
    return AAX_SUCCESS;
}

AAX_Result AaxHostServices::Trace(int32_t priority, const char* message)
{
    traces.push_back({priority, message != nullptr ? message : ""});
    if (echo_)
        std::fprintf(stderr, "trace 0x%08x: %s\n", unsigned(priority), traces.back().message.c_str());
    return AAX_SUCCESS;
}

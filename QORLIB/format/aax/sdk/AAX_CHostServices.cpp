#include "QORLIB/format/aax/sdk/AAX_CHostServices.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IHostServices.h"
#include "QORLIB/format/aax/sdk/AAX_UIDs.h"

#include <cstdarg>
#include <cstdio>

namespace
{
AAX_CHostServices* gProxy = nullptr;
}

AAX_CHostServices::AAX_CHostServices(IACFUnknown* host)
{
    void* services = nullptr;
    if (host != nullptr && host->QueryInterface(IID_IAAXHostServicesV1, &services) == ACF_OK)
        host_ = static_cast<AAX_IHostServices*>(services);
}

void AAX_CHostServices::Create(IACFUnknown* host)
{
    Destroy();
    gProxy = new AAX_CHostServices(host);
}

void AAX_CHostServices::Destroy()
{
    delete gProxy;
    gProxy = nullptr;
}

bool AAX_CHostServices::Exists() { return gProxy != nullptr; }

AAX_Result AAX_CHostServices::HandleAssertFailure(const char* file, int32_t line, const char* note, int32_t flags)
{
    if (gProxy == nullptr || gProxy->host_ == nullptr)
        return AAX_SUCCESS;
    return gProxy->host_->HandleAssertFailure(file, line, note, flags);
}

AAX_Result AAX_CHostServices::Trace(int32_t priority, const char* format, ...)
{
    if (gProxy == nullptr || gProxy->host_ == nullptr)
        return AAX_SUCCESS;
    char message[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    return gProxy->host_->Trace(priority, message);
}

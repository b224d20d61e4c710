#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

// The host's automation of one instance's parameters. Requests are answered later through
// UpdateParameterNormalizedValue. Main thread.
class AAX_IAutomationDelegate
{
public:
    virtual ~AAX_IAutomationDelegate() = default;
    virtual AAX_Result RegisterParameter(AAX_CParamID id) = 0;
    virtual AAX_Result UnregisterParameter(AAX_CParamID id) = 0;
    virtual AAX_Result PostSetValueRequest(AAX_CParamID id, double normalizedValue) = 0;
    virtual AAX_Result PostCurrentValue(AAX_CParamID id, double normalizedValue) = 0;
    virtual AAX_Result PostTouchRequest(AAX_CParamID id) = 0;
    virtual AAX_Result PostReleaseRequest(AAX_CParamID id) = 0;
    virtual AAX_Result GetTouchState(AAX_CParamID id, AAX_CBoolean* touched) = 0;
};

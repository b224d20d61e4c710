#include "QORLIB/format/aax/sdk/AAX_CheckedResult.h"

#include "QORLIB/format/aax/sdk/AAX_CHostServices.h"
#include "QORLIB/format/aax/sdk/AAX_Enums.h"
#include "QORLIB/format/aax/sdk/AAX_Exception.h"

void AAX_CheckedResult::Check(AAX_Result result)
{
    result_ = result;
    if (result == AAX_SUCCESS)
        return;
    AAX_CHostServices::Trace(AAX_eTracePriorityHost_Normal, "AAX_CheckedResult - throwing %s", AAX_ResultName(result));
    throw AAX::Exception::ResultError(result);
}

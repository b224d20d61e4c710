#include "QORLIB/format/aax/sdk/AAX_Init.h"

#include "QORLIB/format/aax/sdk/AAX_CHostServices.h"
#include "QORLIB/format/aax/sdk/AAX_CheckedResult.h"
#include "QORLIB/format/aax/sdk/AAX_Enums.h"
#include "QORLIB/format/aax/sdk/AAX_Exception.h"
#include "QORLIB/format/aax/sdk/AAX_UIDs.h"
#include "QORLIB/format/aax/sdk/AAX_VCollection.h"

#include <exception>

namespace
{
void traceCaught(const char* what)
{
    AAX_CHostServices::Trace(AAX_eTracePriorityHost_High, "AAXRegisterPlugin exception caught: %s",
                             what != nullptr && what[0] != '\0' ? what : "unknown");
}
} // namespace

AAX_Result AAXRegisterPlugin(IACFUnknown* host, IACFPluginDefinition** definition, AAX_DescribeProc describe)
{
    try
    {
        AAX_VCollection collection(host);
        AAX_CheckedResult result = describe != nullptr ? describe(&collection) : AAX_Result(AAX_ERROR_NULL_OBJECT);

        void* answer = nullptr;
        IACFUnknown* unknown = collection.GetIUnknown();
        if (definition == nullptr || unknown == nullptr ||
            unknown->QueryInterface(IID_IACFPluginDefinition, &answer) != ACF_OK || answer == nullptr)
            result = AAX_ERROR_NULL_OBJECT;
        *definition = static_cast<IACFPluginDefinition*>(answer);
        return AAX_SUCCESS;
    }
    catch (const AAX::Exception::ResultError& e)
    {
        traceCaught(e.What().c_str());
        return e.Result();
    }
    catch (const AAX::Exception::Any& e)
    {
        traceCaught(e.What().c_str());
    }
    catch (const std::exception& e)
    {
        traceCaught(e.what());
    }
    catch (...)
    {
        traceCaught("unknown");
    }
    return AAX_ERROR_UNKNOWN_EXCEPTION;
}

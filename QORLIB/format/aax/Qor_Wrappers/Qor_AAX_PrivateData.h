#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

// Initialisation of the context's private-data fields, before the process procedure first
// sees them. Fields 21 to 25 need their exact size and a block; any other field is zeroed.
// Main thread.
namespace Qor_AAX_PrivateData
{
AAX_Result resetField(AAX_CFieldIndex field, void* data, uint32_t size);
}

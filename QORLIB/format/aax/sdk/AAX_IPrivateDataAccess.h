#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

// Main-thread access to an instance's private-data fields, handed to the direct-data timer.
class AAX_IPrivateDataAccess
{
public:
    virtual ~AAX_IPrivateDataAccess() = default;
    virtual AAX_Result ReadPortDirect(AAX_CFieldIndex field, uint32_t offset, uint32_t size, void* out) = 0;
    virtual AAX_Result WritePortDirect(AAX_CFieldIndex field, uint32_t offset, uint32_t size, const void* in) = 0;
};

#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

// The host window that an editor is shown in. Main thread.
class AAX_IViewContainer
{
public:
    virtual ~AAX_IViewContainer() = default;
    virtual int32_t GetType() = 0; // AAX_EViewContainer_Type
    virtual void* GetPtr() = 0;    // the native window
    virtual AAX_Result SetViewSize(AAX_Point& size) = 0;
    virtual AAX_Result HandleParameterMouseDown(AAX_CParamID id, uint32_t modifiers) = 0;
};

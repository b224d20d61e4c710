#include "QORLIB/format/aax/host/AaxViewContainer.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"

#include <cmath>
#include <cstdint>

void* AaxViewContainer::GetPtr() { return reinterpret_cast<void*>(static_cast<uintptr_t>(window_)); }

AAX_Result AaxViewContainer::SetViewSize(AAX_Point& size)
{
    sizes.push_back(size);
    // A window is whole pixels, at least one; a nonsense size leaves it as it is.
    if (!(size.horz >= 1.0f && size.vert >= 1.0f && size.horz < 65536.0f && size.vert < 65536.0f))
        return AAX_ERROR_INVALID_ARGUMENT;
    if (onResize)
        onResize(int(std::lround(size.horz)), int(std::lround(size.vert)));
    return AAX_SUCCESS;
}

AAX_Result AaxViewContainer::HandleParameterMouseDown(AAX_CParamID id, uint32_t modifiers)
{
    mouseDowns.push_back({id != nullptr ? id : "", modifiers});
    if (onMouseDown)
        onMouseDown(mouseDowns.back());
    return mouseDownResult;
}

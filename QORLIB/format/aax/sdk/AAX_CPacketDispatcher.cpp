#include "QORLIB/format/aax/sdk/AAX_CPacketDispatcher.h"

#include "QORLIB/format/aax/sdk/AAX_CParameterManager.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IController.h"

void AAX_CPacketDispatcher::Initialize(AAX_IController* controller, const AAX_CParameterManager* parameters)
{
    controller_ = controller;
    parameters_ = parameters;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket(AAX_CParamID id, AAX_CFieldIndex port)
{
    if (id == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    packets_.push_back({id, port, true});
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::SetDirty(AAX_CParamID id, bool dirty)
{
    if (id == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    for (auto& p : packets_)
        if (p.id == id)
            p.dirty = dirty;
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::Dispatch()
{
    if (controller_ == nullptr || parameters_ == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;
    AAX_Result result = AAX_SUCCESS;
    for (auto& p : packets_)
    {
        if (!p.dirty)
            continue;
        p.dirty = false;
        const AAX_IParameter* parameter = parameters_->GetParameterByID(p.id.c_str());
        if (parameter == nullptr)
            continue;
        const uint32_t word = parameter->GetPacketWord();
        const AAX_Result posted = controller_->PostPacket(p.port, &word, sizeof word);
        if (posted != AAX_SUCCESS)
            result = posted;
    }
    return result;
}

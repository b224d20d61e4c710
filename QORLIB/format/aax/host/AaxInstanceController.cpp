#include "QORLIB/format/aax/host/AaxInstanceController.h"

#include "QORLIB/format/aax/sdk/AAX_IEffectGUI.h"

#include "QORLIB/format/aax/host/AaxContextRecord.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"
#include "QORLIB/format/aax/sdk/AAX_UIDs.h"

#include <algorithm>

namespace
{
constexpr int kMaxChain = 100000;
}

ACFRESULT AaxInstanceController::QueryInterface(const acfIID& iid, void** out)
{
    if (out == nullptr)
        return ACF_E_UNEXPECTED;
    *out = nullptr;
    if (iid == IID_IAAXControllerV1)
        *out = static_cast<AAX_IController*>(this);
    else if (iid == IID_IAAXAutomationDelegateV1)
        *out = static_cast<AAX_IAutomationDelegate*>(this);
    else if (iid == IID_IAAXEffectParametersV1)
        *out = parameters_;
    else if (iid == IID_IACFUnknown)
        *out = static_cast<IACFUnknown*>(this);
    return *out != nullptr ? ACF_OK : ACF_E_NOINTERFACE;
}

AAX_Result AaxInstanceController::PostPacket(AAX_CFieldIndex port, const void* payload, uint32_t size)
{
    const AAX_Result result = context_.postPacket(port, payload, size);
    if (result == AAX_SUCCESS)
        ++packetsPosted;
    return result;
}

AAX_Result AaxInstanceController::GetSignalLatency(int32_t* samples) const
{
    if (samples == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *samples = latency;
    return AAX_SUCCESS;
}

AAX_Result AaxInstanceController::SetSignalLatency(int32_t samples)
{
    latency = samples;
    ++latencyChanges;
    return AAX_SUCCESS;
}

AAX_Result AaxInstanceController::GetCurrentMeterValue(AAX_CTypeID meterID, float* value) const
{
    if (value == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> lock(meterLock_);
    auto it = meters_.find(meterID);
    if (it == meters_.end())
        return AAX_ERROR_INVALID_ARGUMENT;
    *value = it->second;
    return AAX_SUCCESS;
}

void AaxInstanceController::collectMeters(float* taps, std::size_t count, const std::vector<AAX_CTypeID>& ids)
{
    // The host takes each tap's value and clears the tap for the next block.
    const std::lock_guard<std::mutex> lock(meterLock_);
    for (std::size_t i = 0; i < count && i < ids.size(); ++i)
    {
        meters_[ids[i]] = taps[i];
        taps[i] = 0.0f;
    }
}

AAX_Result AaxInstanceController::RegisterParameter(AAX_CParamID id)
{
    if (id == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    registered.emplace_back(id);
    return AAX_SUCCESS;
}

AAX_Result AaxInstanceController::UnregisterParameter(AAX_CParamID id)
{
    if (id == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    std::erase(registered, std::string(id));
    return AAX_SUCCESS;
}

void AaxInstanceController::record(const AaxAutomationEvent& event)
{
    log.push_back(event);
    if (observer)
        observer(event);
}

AAX_Result AaxInstanceController::PostSetValueRequest(AAX_CParamID id, double normalizedValue)
{
    if (id == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    AaxAutomationEvent e{AaxAutomationEvent::kSet, id, normalizedValue,
                         restoringChunk_ ? AAX_eUpdateSource_Chunk : AAX_eUpdateSource_Unspecified};
    record(e);
    queue_.push_back(e);
    return AAX_SUCCESS;
}

AAX_Result AaxInstanceController::PostCurrentValue(AAX_CParamID id, double normalizedValue)
{
    if (id == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    currentValues[id] = normalizedValue;
    return AAX_SUCCESS;
}

AAX_Result AaxInstanceController::PostTouchRequest(AAX_CParamID id)
{
    if (id == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    record({AaxAutomationEvent::kTouch, id});
    queue_.push_back({AaxAutomationEvent::kTouch, id});
    return AAX_SUCCESS;
}

AAX_Result AaxInstanceController::PostReleaseRequest(AAX_CParamID id)
{
    if (id == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    record({AaxAutomationEvent::kRelease, id});
    queue_.push_back({AaxAutomationEvent::kRelease, id});
    return AAX_SUCCESS;
}

AAX_Result AaxInstanceController::GetTouchState(AAX_CParamID id, AAX_CBoolean* touched)
{
    if (id == nullptr || touched == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    auto it = touched_.find(id);
    *touched = it != touched_.end() && it->second ? 1 : 0;
    return AAX_SUCCESS;
}

int AaxInstanceController::deliverAutomation()
{
    int updates = 0;
    for (int steps = 0; !queue_.empty(); ++steps)
    {
        if (steps >= kMaxChain)
        {
            runaway = true;
            queue_.clear();
            break;
        }
        const AaxAutomationEvent e = queue_.front();
        queue_.pop_front();
        if (e.kind == AaxAutomationEvent::kTouch || e.kind == AaxAutomationEvent::kRelease)
        {
            touched_[e.id] = e.kind == AaxAutomationEvent::kTouch;
            continue;
        }
        // A value already overtaken by a later request for the same parameter is not echoed:
        // the host's parameter has moved on. Echoing it would make a module that re-requests
        // each echo (as automation hosts expect) alternate between the two values for ever.
        bool overtaken = false;
        for (const auto& later : queue_)
            overtaken = overtaken || (later.kind == AaxAutomationEvent::kSet && later.id == e.id);
        if (overtaken)
            continue;
        // A request that would not change what the host last sent back is not echoed again.
        auto last = delivered_.find(e.id);
        if (last != delivered_.end() && last->second == e.value)
            continue;
        delivered_[e.id] = e.value;
        if (parameters_ != nullptr)
        {
            record({AaxAutomationEvent::kUpdate, e.id, e.value, e.source, touched_[e.id]});
            parameters_->UpdateParameterNormalizedValue(e.id.c_str(), e.value, e.source);
            if (gui_ != nullptr)
                gui_->ParameterUpdated(e.id.c_str());
            ++updates;
        }
    }
    return updates;
}

AAX_Result AaxInstanceController::hostEdit(const std::string& id, double value, bool touched, AAX_EUpdateSource source)
{
    if (parameters_ == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;
    const bool before = touched_[id];
    touched_[id] = touched;
    delivered_[id] = value;
    record({AaxAutomationEvent::kUpdate, id, value, source, touched});
    const AAX_Result result = parameters_->UpdateParameterNormalizedValue(id.c_str(), value, source);
    if (gui_ != nullptr && result == AAX_SUCCESS)
        gui_->ParameterUpdated(id.c_str());
    touched_[id] = before;
    return result;
}

#pragma once

#include "QORLIB/format/aax/host/AaxAutomationEvent.h"
#include "QORLIB/format/aax/sdk/AAX_IAutomationDelegate.h"
#include "QORLIB/format/aax/sdk/AAX_IController.h"
#include "QORLIB/format/aax/sdk/ACFBase.h"

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class AAX_IEffectGUI;
class AAX_IEffectParameters;
class AaxContextRecord;

// The host's side of one instance, as the module's objects are initialised with: packets into
// the context, latency, collected meter values and the automation of the host parameters.
// Automation requests are queued and answered when the host delivers them: touch and release
// set the touch state, a set that changes the value comes back as UpdateParameterNormalizedValue
// (with source "chunk" when the module asked during a chunk restore).
class AaxInstanceController : public IACFUnknown, public AAX_IController, public AAX_IAutomationDelegate
{
public:
    explicit AaxInstanceController(AaxContextRecord& context) : context_(context) {}

    void setParameters(AAX_IEffectParameters* parameters) { parameters_ = parameters; }
    // The GUI object hears of every value the host delivers (ParameterUpdated), as hosts do.
    void setGui(AAX_IEffectGUI* gui) { gui_ = gui; }

    ACFRESULT QueryInterface(const acfIID& iid, void** out) override;
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }

    AAX_Result PostPacket(AAX_CFieldIndex port, const void* payload, uint32_t size) override;
    AAX_Result GetSignalLatency(int32_t* samples) const override;
    AAX_Result SetSignalLatency(int32_t samples) override;
    AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* value) const override;

    AAX_Result RegisterParameter(AAX_CParamID id) override;
    AAX_Result UnregisterParameter(AAX_CParamID id) override;
    AAX_Result PostSetValueRequest(AAX_CParamID id, double normalizedValue) override;
    AAX_Result PostCurrentValue(AAX_CParamID id, double normalizedValue) override;
    AAX_Result PostTouchRequest(AAX_CParamID id) override;
    AAX_Result PostReleaseRequest(AAX_CParamID id) override;
    AAX_Result GetTouchState(AAX_CParamID id, AAX_CBoolean* touched) override;

    // Answers the queued requests in order, also those made while answering; the number of
    // updates delivered. Stops after a very long chain and sets runaway.
    int deliverAutomation();
    // A change made on the host's side (a control surface, an automation lane).
    AAX_Result hostEdit(const std::string& id, double value, bool touched, AAX_EUpdateSource source);

    void setRestoringChunk(bool restoring) { restoringChunk_ = restoring; }
    // Audio side of a host that plays on a thread of its own; meter reads may come from the
    // main thread meanwhile.
    void collectMeters(float* taps, std::size_t count, const std::vector<AAX_CTypeID>& ids);

    // What happened, in order; observer (when set) hears each event as it is recorded.
    std::vector<AaxAutomationEvent> log;
    std::function<void(const AaxAutomationEvent&)> observer;
    std::vector<std::string> registered;
    std::map<std::string, double> currentValues; // as the module last posted them
    int32_t latency = 0;
    int32_t latencyChanges = 0;
    int32_t packetsPosted = 0;
    bool runaway = false;

private:
    void record(const AaxAutomationEvent& event);

    AaxContextRecord& context_;
    AAX_IEffectParameters* parameters_ = nullptr;
    AAX_IEffectGUI* gui_ = nullptr;
    std::deque<AaxAutomationEvent> queue_;
    std::map<std::string, bool> touched_;
    std::map<std::string, double> delivered_; // the last value sent back for each ID
    mutable std::mutex meterLock_;
    std::map<AAX_CTypeID, float> meters_;
    bool restoringChunk_ = false;
};

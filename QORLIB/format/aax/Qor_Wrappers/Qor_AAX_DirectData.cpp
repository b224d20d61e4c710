#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_DirectData.h"

#include "QORLIB/QorBaseParametersController.h"
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXSharedBlock.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Context.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_AAX_Parameters_Wrapper.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IController.h"
#include "QORLIB/format/aax/sdk/AAX_IPrivateDataAccess.h"

#include <algorithm>
#include <cstring>

namespace
{
using Bridge = Qor_AAX_ControllerWrapper;
constexpr uint32_t kSlotBytes = sizeof(float) * QorAAXSharedBlock::kSlotCount;
} // namespace

AAX_IEffectDirectData* Qor_AAX_DirectData::Create()
{
    try
    {
        return new Qor_AAX_DirectData();
    }
    catch (...)
    {
        return nullptr;
    }
}

AAX_Result Qor_AAX_DirectData::TimerWakeup_PrivateDataAccess(AAX_IPrivateDataAccess* access)
{
    AAX_Result result = reportLatency(*access);
    auto* parameters = dynamic_cast<Qor_KXRB_2220_AAX_Parameters_Wrapper*>(EffectParameters());
    if (parameters == nullptr)
        return result;
    Bridge& bridge = parameters->bridge();
    if (const AAX_Result shipped = shipEditorValues(*access, bridge); shipped != AAX_SUCCESS)
        result = shipped;
    if (const AAX_Result exchanged = exchangeMessages(*access, bridge); exchanged != AAX_SUCCESS)
        result = exchanged;
    return result;
}

AAX_Result Qor_AAX_DirectData::reportLatency(AAX_IPrivateDataAccess& access)
{
    AAX_IController* controller = Controller();
    if (controller == nullptr)
        return AAX_SUCCESS;
    AAX_Result result = AAX_SUCCESS;
    int32_t current = 0;
    if (const AAX_Result r = controller->GetSignalLatency(&current); r != AAX_SUCCESS)
        result = r;
    if (const AAX_Result r = access.ReadPortDirect(QorAAXContext::kLatency, 0, sizeof latency_, &latency_);
        r != AAX_SUCCESS)
        result = r;
    if (latency_ != current && latency_ >= 0)
        if (const AAX_Result r = controller->SetSignalLatency(latency_); r != AAX_SUCCESS)
            result = r;
    return result;
}

AAX_Result Qor_AAX_DirectData::shipEditorValues(AAX_IPrivateDataAccess& access, Bridge& bridge)
{
    if (!bridge.pendingDirty)
        return AAX_SUCCESS;
    // Only the slots are rewritten: the bridge behind them is the processor's.
    float slots[QorAAXSharedBlock::kSlotCount];
    AAX_Result result = access.ReadPortDirect(QorAAXContext::kSharedBlock, 0, kSlotBytes, slots);
    if (result == AAX_SUCCESS)
    {
        for (int32_t i = Bridge::kFirstEditorValue; i < Bridge::kNumValues; ++i)
            if (bridge.pendingValues[i] != Bridge::kNothingPending)
                slots[i] = float(bridge.pendingValues[i]);
        result = access.WritePortDirect(QorAAXContext::kSharedBlock, 0, kSlotBytes, slots);
    }
    // Values stay pending until they are in the block, so a failed access loses none.
    if (result == AAX_SUCCESS)
    {
        std::fill(bridge.pendingValues + Bridge::kFirstEditorValue, std::end(bridge.pendingValues),
                  Bridge::kNothingPending);
        bridge.pendingDirty = false;
    }
    return result;
}

AAX_Result Qor_AAX_DirectData::exchangeMessages(AAX_IPrivateDataAccess& access, Bridge& bridge)
{
    if (bridge.mailbox == nullptr)
        return AAX_SUCCESS;
    QorAAXMailbox& copy = *bridge.mailbox;
    if (const AAX_Result r = access.ReadPortDirect(QorAAXContext::kMailbox, 0, sizeof copy, &copy); r != AAX_SUCCESS)
        return r;
    if (copy.toControllerLength != 0)
    {
        const uint64_t length = std::min<uint64_t>(copy.toControllerLength, QorAAXMailbox::kCapacity);
        if (bridge.controller != nullptr)
            bridge.controller->receiveMessage(copy.toController, int32_t(length));
        std::memset(copy.toController, 0, sizeof copy.toController);
        copy.toControllerLength = 0;
    }
    // A message no block has taken yet stays unless a newer one replaces it.
    if (bridge.outgoingLength != 0)
    {
        std::memcpy(copy.toProcessor, bridge.outgoing, sizeof copy.toProcessor);
        copy.toProcessorLength = bridge.outgoingLength;
    }
    const AAX_Result result = access.WritePortDirect(QorAAXContext::kMailbox, 0, sizeof copy, &copy);
    if (result == AAX_SUCCESS)
    {
        std::memset(bridge.outgoing, 0, sizeof bridge.outgoing);
        bridge.outgoingLength = 0;
    }
    std::memset(copy.toProcessor, 0, sizeof copy.toProcessor);
    copy.toProcessorLength = 0;
    return result;
}

#pragma once

#include "QORLIB/format/aax/Qor_Wrappers/QorMasterAudioProcessor.h"

#include <cstddef>
#include <cstdint>

// The processor-side bridge, constructed in place inside the instance's shared block. Its
// layout is part of that block: vtable pointer, transport record, outgoing message, length.
// Audio thread.
class Qor_AAX_MasterAudioEffectWrapper : public QorMasterAudioProcessor
{
public:
    static constexpr uint32_t kMaxMessageSize = 1024;

    Qor_AAX_MasterAudioEffectWrapper();

    QorTimeInfo* getTimeInfo() override { return &timeInfo; }
    bool sendMessageToController(const void* data, int64_t length) override;

    QorTimeInfo timeInfo;
    uint8_t outgoing[kMaxMessageSize];
    uint64_t outgoingLength;
};

static_assert(sizeof(Qor_AAX_MasterAudioEffectWrapper) == 1128);

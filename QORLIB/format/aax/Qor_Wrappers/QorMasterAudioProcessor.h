#pragma once

#include "QORLIB/format/aax/Qor_Wrappers/QorTimeInfo.h"

#include <cstdint>

// The processor-side bridge as a processor sees it (QorBaseAudioProcessor::bridge): the
// transport and a way to send a message to the controller side. Audio thread.
class QorMasterAudioProcessor
{
public:
    virtual ~QorMasterAudioProcessor() = default;
    virtual QorTimeInfo* getTimeInfo() = 0;
    // Queues a message of 1 to 1024 bytes; false when refused.
    virtual bool sendMessageToController(const void* data, int64_t length) = 0;
};

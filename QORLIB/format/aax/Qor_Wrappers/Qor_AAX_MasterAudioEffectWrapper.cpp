#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_MasterAudioEffectWrapper.h"

#include <cstring>

Qor_AAX_MasterAudioEffectWrapper::Qor_AAX_MasterAudioEffectWrapper() : timeInfo{}, outgoing{}, outgoingLength(0) {}

bool Qor_AAX_MasterAudioEffectWrapper::sendMessageToController(const void* data, int64_t length)
{
    if (data == nullptr || length < 1 || length > int64_t(kMaxMessageSize))
        return false;
    std::memset(outgoing, 0, sizeof outgoing);
    std::memcpy(outgoing, data, size_t(length));
    outgoingLength = uint64_t(length);
    return true;
}

#pragma once

#include <cstdint>

// The framework's product controller: builds and restores the instance's state chunk.
// Main (non-audio) thread only.
class QorBaseParametersController
{
public:
    virtual ~QorBaseParametersController() = default;

    virtual void parameterChangedNotification(int32_t index, double value) = 0;
    // Sets data to a buffer owned by the controller side, valid until the next call; answers
    // its size in bytes, 0 when there is no state to give.
    virtual uint32_t getChunk(void** data) = 0;
    // header: the host's chunk header, not examined.
    virtual void setChunk(const void* data, uint32_t length, const void* header) = 0;
    virtual bool receiveMessage(const void* data, int32_t size) = 0;
    virtual void secondNotification() = 0;
};

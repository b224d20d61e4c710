#pragma once

#include <cstddef>
#include <cstdint>

// Private-data field 25 (and the parameters object's copy): one message each way between the
// controller side and the processor. A length of 0 means empty; a new message replaces an
// unread one.
struct QorAAXMailbox
{
    static constexpr uint32_t kCapacity = 1024;

    uint8_t toProcessor[kCapacity];
    uint64_t toProcessorLength;
    uint8_t toController[kCapacity];
    uint64_t toControllerLength;
};

static_assert(sizeof(QorAAXMailbox) == 2064);
static_assert(offsetof(QorAAXMailbox, toProcessorLength) == 1024 && offsetof(QorAAXMailbox, toController) == 1032);
static_assert(offsetof(QorAAXMailbox, toControllerLength) == 2056);

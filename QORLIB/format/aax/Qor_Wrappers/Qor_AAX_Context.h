#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

#include <cstddef>
#include <cstdint>

class AAX_IMIDINode;
struct QorAAXMailbox;
struct QorAAXSharedBlock;

// The process procedure's context: one pointer per field, the field number being the
// pointer's position.
struct QorAAXContext
{
    enum Field : AAX_CFieldIndex
    {
        kBypass = 0,
        kFirstParameterPort = 1, // ports 1..12 carry parameter indices 0..11
        kLastParameterPort = 12,
        kAudioIn = 13,
        kAudioOut = 14,
        kBufferLength = 15,
        kSampleRate = 16,
        kMeters = 17,
        kMidiIn = 18,
        kTransport = 20,
        kSharedBlock = 21,
        kLatency = 22,
        kLastSampleRate = 23,
        kProcessor = 24,
        kMailbox = 25,
        kSpareMailbox = 26,
        kFieldCount = 27,
    };

    static constexpr uint32_t kPortCount = 13;
    static constexpr uint32_t kSharedBlockSize = 1248;
    static constexpr uint32_t kWordSize = 4;
    static constexpr uint32_t kProcessorSize = 2344;
    static constexpr uint32_t kMailboxSize = 2064;
    static constexpr float kSampleRateUnset = -1.666f;

    const void* ports[kPortCount]; // 4-byte packets: bypass word, then parameter floats
    float* const* inputs;
    float* const* outputs;
    const int32_t* bufferLength;
    const AAX_CSampleRate* sampleRate;
    float* const* meters; // *meters: one tap per meter, in the order of the meter table
    AAX_IMIDINode* midiIn;
    void* unregistered;
    AAX_IMIDINode* transport;
    QorAAXSharedBlock* sharedBlock;
    int32_t* latency;
    float* lastSampleRate;
    void* processor;
    QorAAXMailbox* mailbox;
    void* spareMailbox;
};

static_assert(sizeof(QorAAXContext) == QorAAXContext::kFieldCount * sizeof(void*));
static_assert(offsetof(QorAAXContext, inputs) == QorAAXContext::kAudioIn * sizeof(void*));
static_assert(offsetof(QorAAXContext, meters) == QorAAXContext::kMeters * sizeof(void*));
static_assert(offsetof(QorAAXContext, transport) == QorAAXContext::kTransport * sizeof(void*));
static_assert(offsetof(QorAAXContext, sharedBlock) == QorAAXContext::kSharedBlock * sizeof(void*));
static_assert(offsetof(QorAAXContext, spareMailbox) == QorAAXContext::kSpareMailbox * sizeof(void*));

#pragma once

#include "QORLIB/format/aax/host/AaxComponentRecord.h"
#include "QORLIB/format/aax/host/AaxMidiNode.h"
#include "QORLIB/format/aax/sdk/AAX_IPrivateDataAccess.h"

#include <cstddef>
#include <map>
#include <memory>
#include <vector>

class AAX_ITransport;

// The host-owned storage of one instance's context, laid out from the fields the component
// registered: the pointer array the process procedure receives, data ports, private-data
// blocks, audio pointers, meter taps and MIDI nodes. Also the main thread's bounds-checked
// access to the private data.
class AaxContextRecord : public AAX_IPrivateDataAccess
{
public:
    AaxContextRecord(const std::map<AAX_CFieldIndex, AaxFieldCall>& fields, int32_t channels,
                     AAX_ITransport* transport);
    AaxContextRecord(const AaxContextRecord&) = delete;
    AaxContextRecord& operator=(const AaxContextRecord&) = delete;

    // One pointer per field number; null for a field that was not registered.
    void** context() { return context_.data(); }
    std::size_t fieldCount() const { return context_.size(); }

    // Copies a packet into a registered data port; -20016 for anything else or a packet too big.
    AAX_Result postPacket(AAX_CFieldIndex port, const void* payload, uint32_t size);
    // The port's bytes, or null.
    const void* port(AAX_CFieldIndex port) const;

    std::vector<AAX_CFieldIndex> privateFields() const;
    void* privateData(AAX_CFieldIndex field);
    uint32_t privateSize(AAX_CFieldIndex field) const;

    int32_t channels() const { return channels_; }
    void setAudio(float* const* inputs, float* const* outputs, int32_t sampleCount, float sampleRate);

    float* meterTaps() { return meterTaps_.data(); }
    const std::vector<AAX_CTypeID>& meterIDs() const { return meterIDs_; }

    AAX_Result ReadPortDirect(AAX_CFieldIndex field, uint32_t offset, uint32_t size, void* out) override;
    AAX_Result WritePortDirect(AAX_CFieldIndex field, uint32_t offset, uint32_t size, const void* in) override;

private:
    struct Block
    {
        std::unique_ptr<std::max_align_t[]> storage;
        uint32_t size;
        void* data() { return storage.get(); }
    };
    // Null when the field is no private data or [offset, offset + size) is not inside it.
    Block* checkedBlock(AAX_CFieldIndex field, uint32_t offset, uint32_t size, AAX_Result& result);
    static Block makeBlock(uint32_t size);

    std::vector<void*> context_;
    std::map<AAX_CFieldIndex, Block> ports_;
    std::map<AAX_CFieldIndex, Block> private_;
    int32_t channels_;
    std::vector<float*> inputs_;
    std::vector<float*> outputs_;
    int32_t bufferLength_ = 0;
    float sampleRate_ = 0.0f;
    std::vector<float> meterTaps_;
    float* meterTapsPointer_ = nullptr;
    std::vector<AAX_CTypeID> meterIDs_;
    std::vector<std::unique_ptr<AaxMidiNode>> midiNodes_;
};

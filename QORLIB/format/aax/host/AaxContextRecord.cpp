#include "QORLIB/format/aax/host/AaxContextRecord.h"

#include "QORLIB/format/aax/sdk/AAX_Errors.h"

#include <cstring>

AaxContextRecord::Block AaxContextRecord::makeBlock(uint32_t size)
{
    const std::size_t units = (std::size_t(size) + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    Block b{std::make_unique<std::max_align_t[]>(units == 0 ? 1 : units), size};
    std::memset(b.data(), 0, units * sizeof(std::max_align_t));
    return b;
}

AaxContextRecord::AaxContextRecord(const std::map<AAX_CFieldIndex, AaxFieldCall>& fields, int32_t channels,
                                   AAX_ITransport* transport)
    : channels_(channels), inputs_(std::size_t(channels), nullptr), outputs_(std::size_t(channels), nullptr)
{
    const AAX_CFieldIndex last = fields.empty() ? 0 : fields.rbegin()->first;
    context_.assign(std::size_t(last) + 1, nullptr);
    for (const auto& [field, call] : fields)
    {
        void*& slot = context_[std::size_t(field)];
        switch (call.kind)
        {
        case AaxFieldCall::kAudioIn: slot = inputs_.data(); break;
        case AaxFieldCall::kAudioOut: slot = outputs_.data(); break;
        case AaxFieldCall::kBufferLength: slot = &bufferLength_; break;
        case AaxFieldCall::kSampleRate: slot = &sampleRate_; break;
        case AaxFieldCall::kDataInPort: slot = (ports_[field] = makeBlock(uint32_t(call.size))).data(); break;
        case AaxFieldCall::kPrivateData: slot = (private_[field] = makeBlock(uint32_t(call.size))).data(); break;
        case AaxFieldCall::kMeters:
            meterIDs_ = call.meterIDs;
            meterTaps_.assign(meterIDs_.size(), 0.0f);
            meterTapsPointer_ = meterTaps_.data();
            slot = &meterTapsPointer_;
            break;
        case AaxFieldCall::kMidiNode:
            midiNodes_.push_back(
                std::make_unique<AaxMidiNode>(call.type == AAX_eMIDINodeType_Transport ? transport : nullptr));
            slot = static_cast<AAX_IMIDINode*>(midiNodes_.back().get());
            break;
        }
    }
}

AAX_Result AaxContextRecord::postPacket(AAX_CFieldIndex port, const void* payload, uint32_t size)
{
    auto it = ports_.find(port);
    if (it == ports_.end() || payload == nullptr || size > it->second.size)
        return AAX_ERROR_PORT_ID_OUT_OF_RANGE;
    std::memcpy(it->second.data(), payload, size);
    return AAX_SUCCESS;
}

const void* AaxContextRecord::port(AAX_CFieldIndex port) const
{
    auto it = ports_.find(port);
    return it != ports_.end() ? it->second.storage.get() : nullptr;
}

std::vector<AAX_CFieldIndex> AaxContextRecord::privateFields() const
{
    std::vector<AAX_CFieldIndex> fields;
    for (const auto& entry : private_)
        fields.push_back(entry.first);
    return fields;
}

void* AaxContextRecord::privateData(AAX_CFieldIndex field)
{
    auto it = private_.find(field);
    return it != private_.end() ? it->second.data() : nullptr;
}

uint32_t AaxContextRecord::privateSize(AAX_CFieldIndex field) const
{
    auto it = private_.find(field);
    return it != private_.end() ? it->second.size : 0;
}

void AaxContextRecord::setAudio(float* const* inputs, float* const* outputs, int32_t sampleCount, float sampleRate)
{
    for (int32_t ch = 0; ch < channels_; ++ch)
    {
        inputs_[std::size_t(ch)] = inputs[ch];
        outputs_[std::size_t(ch)] = outputs[ch];
    }
    bufferLength_ = sampleCount;
    sampleRate_ = sampleRate;
}

AaxContextRecord::Block* AaxContextRecord::checkedBlock(AAX_CFieldIndex field, uint32_t offset, uint32_t size,
                                                        AAX_Result& result)
{
    auto it = private_.find(field);
    if (it == private_.end())
    {
        result = AAX_ERROR_INVALID_FIELD_INDEX;
        return nullptr;
    }
    if (uint64_t(offset) + size > it->second.size)
    {
        result = AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS;
        return nullptr;
    }
    result = AAX_SUCCESS;
    return &it->second;
}

AAX_Result AaxContextRecord::ReadPortDirect(AAX_CFieldIndex field, uint32_t offset, uint32_t size, void* out)
{
    if (out == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    AAX_Result result;
    if (Block* b = checkedBlock(field, offset, size, result))
        std::memcpy(out, static_cast<const char*>(b->data()) + offset, size);
    return result;
}

AAX_Result AaxContextRecord::WritePortDirect(AAX_CFieldIndex field, uint32_t offset, uint32_t size, const void* in)
{
    if (in == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    AAX_Result result;
    if (Block* b = checkedBlock(field, offset, size, result))
        std::memcpy(static_cast<char*>(b->data()) + offset, in, size);
    return result;
}

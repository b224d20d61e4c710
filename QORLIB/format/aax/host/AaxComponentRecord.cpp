#include "QORLIB/format/aax/host/AaxComponentRecord.h"

#include "QORLIB/format/aax/host/AaxHostOptions.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"

std::map<AAX_CFieldIndex, AaxFieldCall> AaxComponentSnapshot::fields() const
{
    std::map<AAX_CFieldIndex, AaxFieldCall> table;
    for (const auto& call : calls)
        if (call.accepted)
            table.insert_or_assign(call.field, call);
    return table;
}

namespace
{
AaxFieldCall call(AaxFieldCall::Kind kind, AAX_CFieldIndex field, int64_t size = 0, int32_t type = 0,
                  uint32_t options = 0, const char* name = "")
{
    AaxFieldCall c;
    c.kind = kind;
    c.field = field;
    c.size = size;
    c.type = type;
    c.options = options;
    c.name = name != nullptr ? name : "";
    return c;
}
} // namespace

AAX_Result AaxComponentRecord::Clear()
{
    snapshot_ = {};
    return AAX_SUCCESS;
}

AAX_Result AaxComponentRecord::record(AaxFieldCall made)
{
    const bool refusable = made.kind == AaxFieldCall::kDataInPort || made.kind == AaxFieldCall::kPrivateData;
    made.accepted = made.field >= 0 && !(refusable && options_.refusedFields.count(made.field) != 0);
    const bool accepted = made.accepted;
    snapshot_.calls.push_back(std::move(made));
    return accepted ? AAX_SUCCESS : AAX_ERROR_INVALID_FIELD_INDEX;
}

AAX_Result AaxComponentRecord::AddAudioIn(AAX_CFieldIndex field) { return record(call(AaxFieldCall::kAudioIn, field)); }
AAX_Result AaxComponentRecord::AddAudioOut(AAX_CFieldIndex field) { return record(call(AaxFieldCall::kAudioOut, field)); }

AAX_Result AaxComponentRecord::AddAudioBufferLength(AAX_CFieldIndex field)
{
    return record(call(AaxFieldCall::kBufferLength, field));
}

AAX_Result AaxComponentRecord::AddSampleRate(AAX_CFieldIndex field)
{
    return record(call(AaxFieldCall::kSampleRate, field));
}

AAX_Result AaxComponentRecord::AddDataInPort(AAX_CFieldIndex field, uint32_t packetSize, AAX_EDataInPortType type)
{
    if (packetSize == 0 || packetSize > 4096)
        return AAX_ERROR_INVALID_ARGUMENT;
    return record(call(AaxFieldCall::kDataInPort, field, packetSize, type));
}

AAX_Result AaxComponentRecord::AddPrivateData(AAX_CFieldIndex field, int32_t dataSize, uint32_t options)
{
    if (dataSize <= 0)
        return AAX_ERROR_INVALID_ARGUMENT;
    return record(call(AaxFieldCall::kPrivateData, field, dataSize, 0, options));
}

AAX_Result AaxComponentRecord::AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount)
{
    if (meterIDs == nullptr || meterCount == 0)
        return AAX_ERROR_NULL_ARGUMENT;
    AaxFieldCall meters = call(AaxFieldCall::kMeters, field, meterCount);
    meters.meterIDs.assign(meterIDs, meterIDs + meterCount);
    return record(std::move(meters));
}

AAX_Result AaxComponentRecord::AddMIDINode(AAX_CFieldIndex field, AAX_EMIDINodeType type, const char* name,
                                           uint32_t channelMask)
{
    return record(call(AaxFieldCall::kMidiNode, field, 0, type, channelMask, name));
}

AAX_IPropertyMap* AaxComponentRecord::NewPropertyMap()
{
    if (options_.refuseComponentPropertyMaps)
        return nullptr;
    maps_.push_back(std::make_unique<AaxPropertyMap>());
    return maps_.back().get();
}

AAX_Result AaxComponentRecord::AddProcessProc_Native(AAX_CProcessProc proc, AAX_IPropertyMap* properties,
                                                     AAX_CInstanceInitProc instanceInit,
                                                     AAX_CBackgroundProc background, AAX_CSelector* procID)
{
    if (proc == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    AaxProperties copied;
    // Only maps this host made can be read back.
    for (const auto& map : maps_)
        if (map.get() == properties)
            copied = map->properties();
    snapshot_.procedures.push_back({proc, copied, instanceInit != nullptr, background != nullptr});
    if (procID != nullptr)
        *procID = AAX_CSelector(snapshot_.procedures.size());
    return AAX_SUCCESS;
}

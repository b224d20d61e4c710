#pragma once

#include "QORLIB/format/aax/host/AaxPropertyMap.h"
#include "QORLIB/format/aax/sdk/AAX_IComponentDescriptor.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct AaxHostOptions;

// One call that registered a context field.
struct AaxFieldCall
{
    enum Kind
    {
        kAudioIn,
        kAudioOut,
        kBufferLength,
        kSampleRate,
        kDataInPort,
        kPrivateData,
        kMeters,
        kMidiNode,
    };
    Kind kind = kAudioIn;
    AAX_CFieldIndex field = 0;
    int64_t size = 0;     // packet or private-data bytes, meter count
    int32_t type = 0;     // port type or MIDI node type
    uint32_t options = 0; // private-data options or MIDI channel mask
    std::string name;     // MIDI node name
    std::vector<AAX_CTypeID> meterIDs;
    bool accepted = true;
};

struct AaxProcessProcRecord
{
    AAX_CProcessProc procedure;
    AaxProperties properties;
    bool hasInstanceInit;
    bool hasBackground;
};

// A component as added to an effect: every call in order, and its process procedures.
struct AaxComponentSnapshot
{
    std::vector<AaxFieldCall> calls;
    std::vector<AaxProcessProcRecord> procedures;

    // The accepted registration of each field, the last one winning.
    std::map<AAX_CFieldIndex, AaxFieldCall> fields() const;
};

// The host's component descriptor: records what the module registers.
class AaxComponentRecord : public AAX_IComponentDescriptor
{
public:
    explicit AaxComponentRecord(const AaxHostOptions& options) : options_(options) {}

    AAX_Result Clear() override;
    AAX_Result AddAudioIn(AAX_CFieldIndex field) override;
    AAX_Result AddAudioOut(AAX_CFieldIndex field) override;
    AAX_Result AddAudioBufferLength(AAX_CFieldIndex field) override;
    AAX_Result AddSampleRate(AAX_CFieldIndex field) override;
    AAX_Result AddDataInPort(AAX_CFieldIndex field, uint32_t packetSize, AAX_EDataInPortType type) override;
    AAX_Result AddPrivateData(AAX_CFieldIndex field, int32_t dataSize, uint32_t options) override;
    AAX_Result AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) override;
    AAX_Result AddMIDINode(AAX_CFieldIndex field, AAX_EMIDINodeType type, const char* name,
                           uint32_t channelMask) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result AddProcessProc_Native(AAX_CProcessProc proc, AAX_IPropertyMap* properties,
                                     AAX_CInstanceInitProc instanceInit, AAX_CBackgroundProc background,
                                     AAX_CSelector* procID) override;

    const AaxComponentSnapshot& snapshot() const { return snapshot_; }

private:
    AAX_Result record(AaxFieldCall call);

    const AaxHostOptions& options_;
    AaxComponentSnapshot snapshot_;
    std::vector<std::unique_ptr<AaxPropertyMap>> maps_;
};

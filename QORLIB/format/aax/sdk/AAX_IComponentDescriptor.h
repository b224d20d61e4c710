#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"
#include "QORLIB/format/aax/sdk/AAX_Enums.h"

class AAX_IPropertyMap;

// Describes one processing component: the fields of its context and its process procedures.
// Made and owned by the host; main thread, during registration only.
class AAX_IComponentDescriptor
{
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddAudioOut(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddAudioBufferLength(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddSampleRate(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddDataInPort(AAX_CFieldIndex field, uint32_t packetSize, AAX_EDataInPortType type) = 0;
    virtual AAX_Result AddPrivateData(AAX_CFieldIndex field, int32_t dataSize, uint32_t options) = 0;
    virtual AAX_Result AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) = 0;
    virtual AAX_Result AddMIDINode(AAX_CFieldIndex field, AAX_EMIDINodeType type, const char* name,
                                   uint32_t channelMask) = 0;
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_Result AddProcessProc_Native(AAX_CProcessProc proc, AAX_IPropertyMap* properties,
                                             AAX_CInstanceInitProc instanceInit,
                                             AAX_CBackgroundProc background, AAX_CSelector* procID) = 0;
};

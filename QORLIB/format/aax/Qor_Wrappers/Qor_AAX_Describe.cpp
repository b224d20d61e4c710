#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Describe.h"

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Context.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_DirectData.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Meters.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_ProcessProcedure.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_AAX_Parameters_Wrapper.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_Qor_AAXWrapper_GUI.h"
#include "QORLIB/format/aax/sdk/AAX_CHostServices.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_ICollection.h"
#include "QORLIB/format/aax/sdk/AAX_IComponentDescriptor.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectDescriptor.h"
#include "QORLIB/format/aax/sdk/AAX_IPropertyMap.h"
#include "vellaCor/vellaCorIdentity.h"

namespace Qor_AAX_Describe
{
namespace
{
void report(int line, const char* expression)
{
    AAX_CHostServices::HandleAssertFailure(kSourceName, line, expression, AAX_eAssertFlags_Log);
}

#define QOR_CHECK(call)                                                                                      \
    do                                                                                                       \
    {                                                                                                        \
        if ((call) != AAX_SUCCESS)                                                                           \
            report(__LINE__, "err == AAX_SUCCESS");                                                          \
    } while (false)

#define QOR_CHECK_MIDI(call)                                                                                 \
    do                                                                                                       \
    {                                                                                                        \
        if ((call) != 0)                                                                                     \
            report(__LINE__, "err == 0");                                                                    \
    } while (false)

struct Layout
{
    uint32_t stemFormat;
    AAX_CTypeID nativeID;
    AAX_CProcessProc procedure;
};

void describeComponent(AAX_IComponentDescriptor& c, const Layout& layout)
{
    QOR_CHECK(c.AddAudioIn(QorAAXContext::kAudioIn));
    QOR_CHECK(c.AddAudioOut(QorAAXContext::kAudioOut));
    QOR_CHECK(c.AddAudioBufferLength(QorAAXContext::kBufferLength));
    QOR_CHECK(c.AddSampleRate(QorAAXContext::kSampleRate));
    QOR_CHECK(c.AddMeters(QorAAXContext::kMeters, Qor_AAX_Meters::kIDs.data(), Qor_AAX_Meters::kCount));
    QOR_CHECK_MIDI(c.AddMIDINode(QorAAXContext::kMidiIn, AAX_eMIDINodeType_LocalInput, vellaCorIdentity::kProductName, 0xFFFF));
    QOR_CHECK_MIDI(c.AddMIDINode(QorAAXContext::kTransport, AAX_eMIDINodeType_Transport, "Transport", 0xFFFF));
    QOR_CHECK(c.AddDataInPort(QorAAXContext::kBypass, 4, AAX_eDataInPortType_Unbuffered));
    for (AAX_CFieldIndex port = QorAAXContext::kFirstParameterPort; port <= QorAAXContext::kLastParameterPort; ++port)
        c.AddDataInPort(port, 4, AAX_eDataInPortType_Unbuffered);
    QOR_CHECK(c.AddPrivateData(QorAAXContext::kSharedBlock, QorAAXContext::kSharedBlockSize, 0));
    QOR_CHECK(c.AddPrivateData(QorAAXContext::kLastSampleRate, QorAAXContext::kWordSize, 0));
    QOR_CHECK(c.AddPrivateData(QorAAXContext::kLatency, QorAAXContext::kWordSize, 0));
    QOR_CHECK(c.AddPrivateData(QorAAXContext::kProcessor, QorAAXContext::kProcessorSize, 0));
    QOR_CHECK(c.AddPrivateData(QorAAXContext::kMailbox, QorAAXContext::kMailboxSize, 0));
    QOR_CHECK(c.AddPrivateData(QorAAXContext::kSpareMailbox, QorAAXContext::kMailboxSize, 0));

    AAX_IPropertyMap* properties = c.NewPropertyMap();
    if (properties == nullptr)
    {
        report(__LINE__, "properties");
        return;
    }
    QOR_CHECK(properties->AddProperty(AAX_eProperty_ManufacturerID, AAX_CPropertyValue(kManufacturerID)));
    QOR_CHECK(properties->AddProperty(AAX_eProperty_ProductID, AAX_CPropertyValue(kProductID)));
    QOR_CHECK(properties->AddProperty(AAX_eProperty_CanBypass, 1));
    QOR_CHECK(properties->AddProperty(AAX_eProperty_InputStemFormat, AAX_CPropertyValue(layout.stemFormat)));
    QOR_CHECK(properties->AddProperty(AAX_eProperty_OutputStemFormat, AAX_CPropertyValue(layout.stemFormat)));
    QOR_CHECK(properties->AddProperty(AAX_eProperty_PlugInID_Native, AAX_CPropertyValue(layout.nativeID)));
    QOR_CHECK(properties->AddProperty(AAX_eProperty_PlugInID_AudioSuite, AAX_CPropertyValue(kAudioSuiteID)));
    QOR_CHECK(c.AddProcessProc_Native(layout.procedure, properties, nullptr, nullptr, nullptr));
}

// Meter properties: type, orientation, and for the custom meters a ballistics that never decays.
bool describeMeter(AAX_IEffectDescriptor& descriptor, uint32_t k)
{
    AAX_IPropertyMap* properties = descriptor.NewPropertyMap();
    if (properties == nullptr)
        return false;
    static const AAX_EMeterType kStandardTypes[] = {AAX_eMeterType_Input, AAX_eMeterType_Output,
                                                    AAX_eMeterType_CLGain};
    static const char* const kStandardNames[] = {"Input", "Output", "GainReduction"};
    const bool standard = k < Qor_AAX_Meters::kStandardCount;
    QOR_CHECK(properties->AddProperty(AAX_eProperty_Meter_Type, standard ? kStandardTypes[k] : AAX_eMeterType_Other));
    QOR_CHECK(properties->AddProperty(AAX_eProperty_Meter_Orientation, AAX_eMeterOrientation_Default));
    if (!standard)
        QOR_CHECK(properties->AddProperty(AAX_eProperty_Meter_Ballistics, AAX_eMeterBallisticType_NoDecay));
    QOR_CHECK(descriptor.AddMeterDescription(Qor_AAX_Meters::kIDs[k], standard ? kStandardNames[k] : "Custom",
                                             properties));
    return true;
}

AAX_CProcPtr procedure(auto create) { return reinterpret_cast<AAX_CProcPtr>(create); }
} // namespace

AAX_Result DescribeEffect(AAX_IEffectDescriptor& descriptor)
{
    AAX_IComponentDescriptor* component = descriptor.NewComponentDescriptor();
    if (component == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    QOR_CHECK(descriptor.AddName(vellaCorIdentity::kProductName));
    QOR_CHECK(descriptor.AddCategory(AAX_ePlugInCategory_Dynamics));

    // The stereo layout is described into the same component, on top of the mono one.
    describeComponent(*component, {AAX_eStemFormat_Mono, kNativeMonoID, &Qor_AAX_ProcessProcedure::processMono});
    QOR_CHECK(descriptor.AddComponent(component));
    describeComponent(*component, {AAX_eStemFormat_Stereo, kNativeStereoID, &Qor_AAX_ProcessProcedure::processStereo});
    QOR_CHECK(descriptor.AddComponent(component));

    QOR_CHECK(descriptor.AddProcPtr(procedure(&Qor_KXRB_2220_AAX_Parameters_Wrapper::Create),
                                    kAAX_ProcPtrID_Create_EffectParameters));
    QOR_CHECK(descriptor.AddResourceInfo(AAX_eResourceType_PageTable, kPageTableFile));
    QOR_CHECK(descriptor.AddProcPtr(procedure(&Qor_AAX_DirectData::Create), kAAX_ProcPtrID_Create_EffectDirectData));
    QOR_CHECK(descriptor.AddProcPtr(procedure(&Qor_KXRB_2220_Qor_AAXWrapper_GUI::Create),
                                    kAAX_ProcPtrID_Create_EffectGUI));

    for (uint32_t k = 0; k < Qor_AAX_Meters::kCount; ++k)
        if (!describeMeter(descriptor, k))
            return AAX_ERROR_NULL_OBJECT;
    return AAX_SUCCESS;
}

AAX_Result GetEffectDescriptions(AAX_ICollection* collection)
{
    if (collection == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    AAX_Result result = AAX_SUCCESS;
    AAX_IEffectDescriptor* descriptor = collection->NewDescriptor();
    if (descriptor == nullptr)
        result = AAX_ERROR_NULL_OBJECT;
    else
    {
        result = DescribeEffect(*descriptor);
        if (result == AAX_SUCCESS)
            result = collection->AddEffect(vellaCorIdentity::kAaxEffectId, descriptor);
    }
    if (result != AAX_SUCCESS)
        report(__LINE__, "result == AAX_SUCCESS");
    collection->SetManufacturerName(vellaCorIdentity::kMakerName);
    collection->AddPackageName(vellaCorIdentity::kProductDescription);
    collection->AddPackageName(vellaCorIdentity::kProductName);
    collection->SetPackageVersion(uint32_t(vellaCorIdentity::kPackageVersion));
    return result;
}
} // namespace Qor_AAX_Describe

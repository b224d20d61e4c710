#include "QORLIB/format/aax/host/AaxInstance.h"

#include "QORLIB/format/aax/host/AaxEffectRecord.h"
#include "QORLIB/format/aax/sdk/AAX_CString.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectDirectData.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectGUI.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"

#include <cstring>

namespace
{
int32_t channelsOf(const AaxComponentSnapshot& component, std::size_t procedure)
{
    if (procedure >= component.procedures.size())
        return 0;
    return AAX_StemFormatChannels(
        uint32_t(aaxProperty(component.procedures[procedure].properties, AAX_eProperty_InputStemFormat, 0)));
}

template <typename Object> Object* create(const AaxEffectRecord& effect, AAX_EProcPtrID id)
{
    using Proc = Object* (*)();
    AAX_CProcPtr proc = effect.procedure(id);
    return proc != nullptr ? reinterpret_cast<Proc>(proc)() : nullptr;
}
} // namespace

AaxInstance::AaxInstance(const AaxEffectRecord& effect, const AaxComponentSnapshot& component, std::size_t procedure,
                         bool withGUI)
    : context_(component.fields(), channelsOf(component, procedure), &transport_), controller_(context_)
{
    if (procedure >= component.procedures.size() || context_.channels() < 1)
    {
        error_ = "the component has no such process procedure";
        return;
    }
    const AaxProperties& properties = component.procedures[procedure].properties;
    procedure_ = component.procedures[procedure].procedure;
    identity_ = {AAX_CTypeID(aaxProperty(properties, AAX_eProperty_ManufacturerID, 0)),
                 AAX_CTypeID(aaxProperty(properties, AAX_eProperty_ProductID, 0)),
                 AAX_CTypeID(aaxProperty(properties, AAX_eProperty_PlugInID_Native, 0))};

    parameters_ = create<AAX_IEffectParameters>(effect, kAAX_ProcPtrID_Create_EffectParameters);
    if (parameters_ == nullptr)
    {
        error_ = "the module made no parameters object";
        return;
    }
    controller_.setParameters(parameters_);
    if (parameters_->Initialize(&controller_) != AAX_SUCCESS)
        error_ = "the parameters object failed to initialise";
    for (AAX_CFieldIndex field : context_.privateFields())
        resetResults_[field] = parameters_->ResetFieldData(field, context_.privateData(field), context_.privateSize(field));

    directData_ = create<AAX_IEffectDirectData>(effect, kAAX_ProcPtrID_Create_EffectDirectData);
    if (directData_ != nullptr)
        directData_->Initialize(&controller_);
    if (withGUI)
    {
        gui_ = create<AAX_IEffectGUI>(effect, kAAX_ProcPtrID_Create_EffectGUI);
        if (gui_ != nullptr)
            gui_->Initialize(&controller_);
        controller_.setGui(gui_);
    }
    parameters_->GenerateCoefficients();
}

AaxInstance::~AaxInstance()
{
    if (gui_ != nullptr)
    {
        controller_.setGui(nullptr);
        gui_->Uninitialize();
        gui_->Release();
    }
    if (directData_ != nullptr)
    {
        directData_->Uninitialize();
        directData_->Release();
    }
    if (parameters_ != nullptr)
    {
        parameters_->Uninitialize();
        parameters_->Release();
    }
}

void AaxInstance::runProcedure(float* const* inputs, float* const* outputs, int32_t sampleCount)
{
    context_.setAudio(inputs, outputs, sampleCount, sampleRate_);
    void* const instances[1] = {context_.context()};
    if (procedure_ != nullptr)
        procedure_(instances, instances + 1);
}

void AaxInstance::process(float* const* inputs, float* const* outputs, int32_t sampleCount)
{
    postPackets();
    runBlock(inputs, outputs, sampleCount);
}

void AaxInstance::postPackets()
{
    if (parameters_ != nullptr)
        parameters_->GenerateCoefficients();
}

void AaxInstance::runBlock(float* const* inputs, float* const* outputs, int32_t sampleCount)
{
    runProcedure(inputs, outputs, sampleCount);
    controller_.collectMeters(context_.meterTaps(), context_.meterIDs().size(), context_.meterIDs());
}

AAX_Result AaxInstance::setViewContainer(AAX_IViewContainer* container)
{
    return gui_ != nullptr ? gui_->SetViewContainer(container) : AAX_ERROR_NOT_INITIALIZED;
}

AAX_Result AaxInstance::setBypass(bool bypassed)
{
    return hostEdit(cDefaultMasterBypassID, bypassed ? 1.0 : 0.0, false);
}

AAX_Result AaxInstance::idle()
{
    controller_.deliverAutomation();
    AAX_Result result = AAX_SUCCESS;
    if (directData_ != nullptr)
        result = directData_->TimerWakeup(&context_);
    if (gui_ != nullptr)
        gui_->TimerWakeup();
    return result;
}

AAX_Result AaxInstance::hostEdit(const std::string& id, double value, bool touched, AAX_EUpdateSource source)
{
    return controller_.hostEdit(id, value, touched, source);
}

AAX_Result AaxInstance::saveChunk(AAX_CTypeID id, AaxChunk& chunk)
{
    if (parameters_ == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;
    uint32_t size = 0;
    if (const AAX_Result r = parameters_->GetChunkSize(id, &size); r != AAX_SUCCESS)
        return r;
    chunk = AaxChunk{id, 0, "", std::vector<uint8_t>(size, 0)};
    AaxChunk::Block block = chunk.toBlock(identity_.manufacturer, identity_.product, identity_.plugIn);
    if (const AAX_Result r = parameters_->GetChunk(id, block.chunk()); r != AAX_SUCCESS)
        return r;
    const AAX_SPlugInChunk* c = block.chunk();
    // The module may say it wrote less than it was given, never more.
    if (c->fSize < 0 || std::size_t(c->fSize) > block.capacity())
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    chunk.version = c->fVersion;
    chunk.name.assign(reinterpret_cast<const char*>(c->fName), strnlen(reinterpret_cast<const char*>(c->fName), sizeof c->fName));
    const auto* data = reinterpret_cast<const uint8_t*>(AAX_ChunkData(c));
    chunk.data.assign(data, data + c->fSize);
    return AAX_SUCCESS;
}

AAX_Result AaxInstance::saveChunks(std::vector<AaxChunk>& chunks)
{
    chunks.clear();
    int32_t count = 0;
    if (parameters_ == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;
    if (const AAX_Result r = parameters_->GetNumberOfChunks(&count); r != AAX_SUCCESS)
        return r;
    for (int32_t i = 0; i < count; ++i)
    {
        AAX_CTypeID id = 0;
        if (const AAX_Result r = parameters_->GetChunkIDFromIndex(i, &id); r != AAX_SUCCESS)
            return r;
        AaxChunk chunk;
        if (const AAX_Result r = saveChunk(id, chunk); r != AAX_SUCCESS)
            return r;
        chunks.push_back(std::move(chunk));
    }
    return AAX_SUCCESS;
}

AAX_Result AaxInstance::restoreChunk(const AaxChunk& chunk)
{
    if (parameters_ == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;
    AaxChunk::Block block = chunk.toBlock(identity_.manufacturer, identity_.product, identity_.plugIn);
    controller_.setRestoringChunk(true);
    const AAX_Result result = parameters_->SetChunk(chunk.id, block.chunk());
    controller_.setRestoringChunk(false);
    return result;
}

AAX_Result AaxInstance::compareChunk(const AaxChunk& chunk, bool& equal)
{
    if (parameters_ == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;
    AaxChunk::Block block = chunk.toBlock(identity_.manufacturer, identity_.product, identity_.plugIn);
    AAX_CBoolean same = 0;
    const AAX_Result result = parameters_->CompareActiveChunk(block.chunk(), &same);
    equal = same != 0;
    return result;
}

float AaxInstance::meterValue(AAX_CTypeID id) const
{
    float v = 0.0f;
    return controller_.GetCurrentMeterValue(id, &v) == AAX_SUCCESS ? v : 0.0f;
}

double AaxInstance::parameterValue(const std::string& id) const
{
    double v = 0.0;
    return parameters_ != nullptr && parameters_->GetParameterNormalizedValue(id.c_str(), &v) == AAX_SUCCESS ? v : -1.0;
}

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_ProcessProcedure.h"

#include "QORLIB/QorBaseAudioProcessor.h"
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXMailbox.h"
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXSharedBlock.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Context.h"
#include "QORLIB/format/aax/sdk/AAX_IMIDINode.h"
#include "QORLIB/format/aax/sdk/AAX_ITransport.h"
#include "vellaCor/vellaCorParameters.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Qor_AAX_ProcessProcedure
{
namespace
{
// Built while the module loads, so the audio thread only ever reads it.
const vellaCorParameters::Tables& kTables = vellaCorParameters::tables();

constexpr int kChannelSlots = 24;
constexpr double kTicksPerQuarter = 960000.0;

void readTransport(AAX_IMIDINode* node, QorTimeInfo& info)
{
    AAX_ITransport* transport = node != nullptr ? node->GetTransport() : nullptr;
    if (transport == nullptr)
        return;
    double tempo = 0.0;
    if (transport->GetCurrentTempo(&tempo) == 0)
    {
        info.tempo = tempo;
        info.flags |= QorTimeInfo::kTempoValid;
    }
    int64_t sample = 0;
    if (transport->GetCurrentNativeSampleLocation(&sample) == 0)
        info.samplePosition = double(sample);
    int64_t ticks = 0;
    if (transport->GetCurrentTickPosition(&ticks) == 0)
    {
        if (ticks != 0)
            info.flags |= QorTimeInfo::kPpqPositionValid;
        else
            info.flags &= ~QorTimeInfo::kPpqPositionValid;
        info.ppqPosition = double(float(ticks) / float(kTicksPerQuarter));
    }
    bool playing = false;
    if (transport->IsTransportPlaying(&playing) == 0 && playing != ((info.flags & QorTimeInfo::kTransportPlaying) != 0))
    {
        info.flags |= QorTimeInfo::kTransportChanged;
        if (playing)
            info.flags |= QorTimeInfo::kTransportPlaying;
        else
            info.flags &= ~QorTimeInfo::kTransportPlaying;
    }
}

void applyParameters(const QorAAXContext& c, QorAAXSharedBlock& shared, QorBaseAudioProcessor& processor)
{
    // Host parameters: only a packet value that differs from the last one applied.
    for (uint32_t i = 0; i < vellaCorParameters::kNumPushFlags; ++i)
    {
        const void* port = c.ports[QorAAXContext::kFirstParameterPort + i];
        if (kTables.pushToProcessor[i] == 0 || port == nullptr)
            continue;
        float value;
        std::memcpy(&value, port, sizeof value);
        if (value != shared.slots[i])
        {
            shared.slots[i] = value;
            processor.setParameter(i, double(value));
        }
    }
    // Editor-side values: applied once, then marked consumed.
    for (uint32_t i = vellaCorParameters::kNumPushFlags; i < QorAAXSharedBlock::kSlotCount; ++i)
        if (shared.slots[i] >= 0.0f)
        {
            processor.setParameter(i, double(shared.slots[i]));
            shared.slots[i] = QorAAXSharedBlock::kSlotConsumed;
        }
}

void exchangeMessages(QorAAXMailbox& mailbox, Qor_AAX_MasterAudioEffectWrapper& bridge, QorBaseAudioProcessor& processor)
{
    if (mailbox.toProcessorLength != 0)
    {
        const uint64_t length = std::min<uint64_t>(mailbox.toProcessorLength, QorAAXMailbox::kCapacity);
        processor.receiveMessage(mailbox.toProcessor, int32_t(length));
        mailbox.toProcessorLength = 0;
    }
    if (bridge.outgoingLength != 0)
    {
        const uint64_t length = std::min<uint64_t>(bridge.outgoingLength, QorAAXMailbox::kCapacity);
        mailbox.toControllerLength = length;
        std::memcpy(mailbox.toController, bridge.outgoing, size_t(length));
        std::memset(bridge.outgoing, 0, sizeof bridge.outgoing);
        bridge.outgoingLength = 0;
    }
}

float peak(const float* samples, int32_t n, float start)
{
    float p = start;
    for (int32_t i = 0; i < n; ++i)
        p = std::max(p, std::fabs(samples[i])); // a NaN sample leaves the peak as it was
    return p;
}

void writeMeters(float* taps, QorBaseAudioProcessor& processor, float inputPeak, float outputPeak)
{
    taps[kPeakInputTap] = inputPeak;
    taps[kPeakOutputTap] = outputPeak;
    double reduction = 0.0;
    processor.getParameter(vellaCorParameters::kGainReduction, &reduction);
    taps[kGainReductionTap] = float(reduction);
    for (int k = 0; k < int(kTables.meters.size()) && kTables.meters[size_t(k)] >= 0; ++k)
    {
        double v = 0.0;
        float tap = kNoMeterValue;
        if (processor.getParameter(kTables.meters[size_t(k)], &v))
        {
            v = (!std::isfinite(v) || v < 0.0) ? 0.0 : std::min(v, 1.0);
            tap = float(v + double(kMeterOffset));
        }
        taps[kFirstCustomTap + k] = tap;
    }
}

template <int Channels> void processInstance(QorAAXContext& c)
{
    auto* processor = static_cast<QorBaseAudioProcessor*>(c.processor);
    if (processor == nullptr || c.sharedBlock == nullptr || c.mailbox == nullptr || c.latency == nullptr ||
        c.lastSampleRate == nullptr || c.sampleRate == nullptr || c.bufferLength == nullptr ||
        c.inputs == nullptr || c.outputs == nullptr)
        return;
    float* in[kChannelSlots] = {};
    float* out[kChannelSlots] = {};
    for (int ch = 0; ch < Channels; ++ch)
    {
        in[ch] = c.inputs[ch];
        out[ch] = c.outputs[ch];
        if (in[ch] == nullptr || out[ch] == nullptr)
            return;
    }
    QorAAXSharedBlock& shared = *c.sharedBlock;
    Qor_AAX_MasterAudioEffectWrapper& bridge = *shared.bridgeObject();
    int32_t bypass = 0;
    if (c.ports[QorAAXContext::kBypass] != nullptr)
        std::memcpy(&bypass, c.ports[QorAAXContext::kBypass], sizeof bypass);
    const int32_t n = *c.bufferLength;

    readTransport(c.transport, bridge.timeInfo);
    if (*c.sampleRate != *c.lastSampleRate)
    {
        *c.lastSampleRate = *c.sampleRate;
        processor->setSampleRate(double(*c.sampleRate));
    }
    applyParameters(c, shared, *processor);
    *c.latency = processor->getLatency();
    processor->bridge = &bridge;
    exchangeMessages(*c.mailbox, bridge, *processor);

    // Measured before processing, so that a host running in place still meters its input.
    float* taps = c.meters != nullptr ? *c.meters : nullptr;
    const float inputPeak = taps != nullptr ? peak(in[0], n, taps[kPeakInputTap]) : 0.0f;
    if (bypass != 0)
        processor->processBypassed(in, out, n);
    else
        processor->process(in, out, n);
    if (taps != nullptr)
        writeMeters(taps, *processor, inputPeak, peak(out[0], n, taps[kPeakOutputTap]));
}

template <int Channels> void processAll(void* const begin[], const void* end)
{
    if (begin == nullptr)
        return;
    for (void* const* p = begin; p != static_cast<void* const*>(end); ++p)
        if (*p != nullptr)
            processInstance<Channels>(*static_cast<QorAAXContext*>(*p));
}
} // namespace

void processMono(void* const instancesBegin[], const void* instancesEnd) { processAll<1>(instancesBegin, instancesEnd); }

void processStereo(void* const instancesBegin[], const void* instancesEnd)
{
    processAll<2>(instancesBegin, instancesEnd);
}
} // namespace Qor_AAX_ProcessProcedure

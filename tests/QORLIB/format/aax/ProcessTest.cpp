// The process procedure as the host runs it: the same samples as the engine, bypass, meters,
// transport, packets and the private-data blocks; and no allocation on the audio path.
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXMailbox.h"
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXSharedBlock.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"
#include "tests/QORLIB/format/aax/AaxTestSupport.h"
#include "tests/support/AllocationCounter.h"
#include "vellaCor/vellaCorEffect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

using namespace aaxtest;

namespace
{
constexpr AAX_CTypeID kIn = AAX_FourCC("mtrI");
constexpr AAX_CTypeID kOut = AAX_FourCC("mtrO");
constexpr AAX_CTypeID kGR = AAX_FourCC("mtGR");
constexpr AAX_CTypeID kCustom = AAX_FourCC("mtcA");

struct Setting
{
    const char* id;
    uint32_t index;
    double value;
};
const Setting kSettings[] = {{"0: Process", 0, 1.0}, {"2: Ratio", 2, 0.8},       {"3: AttackRatio", 3, 0.0},
                             {"4: Time", 4, 0.3},    {"5: Compression", 5, 0.9}, {"6: Output", 6, 0.2},
                             {"7: ValveLevel", 7, 0.5}};

float peakOf(const std::vector<float>& v, std::size_t from, std::size_t n)
{
    float p = 0.0f;
    for (std::size_t i = from; i < from + n; ++i)
        p = std::max(p, std::fabs(v[i]));
    return p;
}
} // namespace

// The module must not change a sample: the engine fed the same values at the same block
// boundaries gives the same output, mono and stereo.
TEST(AaxProcess, SameSamplesAsTheEngineDirectly)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    const double rate = 48000.0;
    const int block = 256;
    const auto left = drums(96 * block, rate, 3), right = drums(96 * block, rate, 4, 0.5f);
    for (int channels : {1, 2})
    {
        auto instance = makeInstance(*host, channels == 1 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo);
        ASSERT_NE(instance, nullptr);
        instance->setSampleRate(float(rate));
        for (const Setting& s : kSettings)
            ASSERT_EQ(instance->hostEdit(s.id, s.value, false), AAX_SUCCESS);

        vellaCorEffect engine;
        engine.setSampleRate(rate);
        for (const Setting& s : kSettings)
            engine.setParameter(s.index, double(float(s.value))); // packets carry floats
        std::vector<float> expectL(left.size()), expectR(left.size());
        std::vector<std::vector<float>> in = {left};
        if (channels == 2)
            in.push_back(right);
        std::vector<std::vector<float>> out(in.size(), std::vector<float>(left.size()));
        for (std::size_t pos = 0; pos < left.size(); pos += block)
        {
            if (pos == 12288) // a host change in the middle reaches both at the same boundary
            {
                instance->hostEdit(kTime, 0.7, false);
                engine.setParameter(4, double(0.7f));
            }
            float* ins[2] = {in[0].data() + pos, channels == 2 ? in[1].data() + pos : nullptr};
            float* outs[2] = {out[0].data() + pos, channels == 2 ? out[1].data() + pos : nullptr};
            instance->process(ins, outs, block);
            float* eins[2] = {const_cast<float*>(left.data()) + pos,
                              channels == 2 ? const_cast<float*>(right.data()) + pos : nullptr};
            float* eouts[2] = {expectL.data() + pos, channels == 2 ? expectR.data() + pos : nullptr};
            engine.process(eins, eouts, block);
        }
        EXPECT_EQ(out[0], expectL) << channels;
        if (channels == 2)
        {
            EXPECT_EQ(out[1], expectR);
        }
        EXPECT_NE(out[0], left); // it did compress
    }
}

TEST(AaxProcess, HostBypassCopiesAndStillMeters)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Stereo);
    ASSERT_NE(instance, nullptr);
    const auto left = drums(44100, 44100.0, 5), right = drums(44100, 44100.0, 6);
    run(*instance, {left, right}, 512);
    const float compressed = instance->meterValue(kGR);
    EXPECT_GT(compressed, 0.1f);

    ASSERT_EQ(instance->setBypass(true), AAX_SUCCESS);
    auto out = run(*instance, {left, right}, 512);
    EXPECT_EQ(out[0], left);
    EXPECT_EQ(out[1], right);
    // The last block (44100 = 86 × 512 + 68) was metered on both sides.
    EXPECT_EQ(instance->meterValue(kIn), peakOf(left, 44032, 68));
    EXPECT_EQ(instance->meterValue(kOut), peakOf(left, 44032, 68));
    EXPECT_LT(instance->meterValue(kGR), compressed * 0.5f); // falls back at the meter's speed

    ASSERT_EQ(instance->setBypass(false), AAX_SUCCESS);
    out = run(*instance, {left, right}, 512);
    EXPECT_NE(out[0], left);
}

TEST(AaxProcess, PeakMetersReadChannelZeroOnly)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Stereo);
    ASSERT_NE(instance, nullptr);
    const std::vector<float> silence(4096, 0.0f);
    const auto right = drums(4096, 44100.0, 7);
    run(*instance, {silence, right}, 4096);
    EXPECT_EQ(instance->meterValue(kIn), 0.0f);
    EXPECT_LT(instance->meterValue(kOut), 1e-6f); // at most the engine's dither
    run(*instance, {right, silence}, 4096);
    EXPECT_EQ(instance->meterValue(kIn), peakOf(right, 0, 4096));
    EXPECT_GT(instance->meterValue(kOut), 0.01f);
}

TEST(AaxProcess, GainReductionReachesTheMetersWithTheOffset)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Mono);
    ASSERT_NE(instance, nullptr);
    run(*instance, {drums(22050, 44100.0, 8)}, 512);
    const float gr = instance->meterValue(kGR);
    EXPECT_GT(gr, 0.1f);
    EXPECT_NEAR(instance->meterValue(kCustom), gr + 0.1f, 1e-6f);
    EXPECT_EQ(instance->meterValue(AAX_FourCC("mtcB")), 0.0f); // described, never written
}

TEST(AaxProcess, CustomMeterClampsWhatTheProcessorGives)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Mono);
    ASSERT_NE(instance, nullptr);
    ProbeProcessor& probe = installProbe(*instance);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        bool has;
        double value;
        float custom;
    } cases[] = {{true, 0.25, 0.35f}, {true, 1.5, 1.1f}, {true, nan, 0.1f},
                 {true, inf, 0.1f},   {true, -0.3, 0.1f}, {false, 0.5, 1.2345679f}};
    for (const auto& c : cases)
    {
        probe.hasMeter = c.has;
        probe.meter = c.value;
        silentBlock(*instance);
        EXPECT_FLOAT_EQ(instance->meterValue(kCustom), c.custom) << c.value;
    }
    probe.hasMeter = true;
    probe.meter = 1.5;
    silentBlock(*instance);
    EXPECT_EQ(instance->meterValue(kGR), 1.5f); // the standard meter is not clamped
}

TEST(AaxProcess, ZeroSamplesRunsTheProcessorAndLeavesThePeakTaps)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Stereo);
    ASSERT_NE(instance, nullptr);
    ProbeProcessor& probe = installProbe(*instance);
    probe.meter = 0.5;
    float* taps = instance->context().meterTaps();
    taps[0] = 0.3f;
    taps[1] = 0.4f;
    float l = 9.0f, r = 9.0f;
    float* ins[2] = {&l, &r};
    float* outs[2] = {&l, &r};
    instance->runProcedure(ins, outs, 0);
    EXPECT_EQ(probe.processCalls, 1);
    EXPECT_EQ(probe.lastCount, 0);
    EXPECT_EQ(taps[0], 0.3f);
    EXPECT_EQ(taps[1], 0.4f);
    EXPECT_EQ(taps[2], 0.5f);
}

TEST(AaxProcess, TransportReachesTheProcessorBridge)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Mono);
    ASSERT_NE(instance, nullptr);
    ProbeProcessor& probe = installProbe(*instance);
    AaxTransport& t = instance->transport();
    t.tempo = 98.5;
    t.sampleLocation = 123456;
    t.tickPosition = 480000; // half a quarter note
    t.playing = true;
    silentBlock(*instance);
    EXPECT_EQ(probe.timeInfo.tempo, 98.5);
    EXPECT_EQ(probe.timeInfo.samplePosition, 123456.0);
    EXPECT_EQ(probe.timeInfo.ppqPosition, 0.5);
    EXPECT_EQ(probe.timeInfo.flags, 0x1u | 0x2u | 0x200u | 0x400u);

    t.tickPosition = 0; // clears only the ppq flag
    silentBlock(*instance);
    EXPECT_EQ(probe.timeInfo.flags, 0x1u | 0x2u | 0x400u);
    t.playing = false;
    t.tickPosition = 960000 * 3;
    silentBlock(*instance);
    EXPECT_EQ(probe.timeInfo.flags, 0x1u | 0x200u | 0x400u);
    EXPECT_EQ(probe.timeInfo.ppqPosition, 3.0);
}

TEST(AaxProcess, HostValuesAndSampleRateReachTheProcessorOnlyWhenChanged)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Mono);
    ASSERT_NE(instance, nullptr);
    ProbeProcessor& probe = installProbe(*instance);
    silentBlock(*instance);
    // The first block applies every host parameter once, nothing else.
    EXPECT_EQ(probe.callCount, 7);
    for (uint32_t i : {0u, 2u, 3u, 4u, 5u, 6u, 7u})
        EXPECT_EQ(probe.callsFor(i), 1) << i;
    EXPECT_EQ(probe.sampleRateCalls, 1);
    EXPECT_EQ(probe.sampleRate, 44100.0);

    probe.clearCalls();
    silentBlock(*instance);
    EXPECT_EQ(probe.callCount, 0);
    EXPECT_EQ(probe.sampleRateCalls, 1);

    instance->hostEdit(kTime, 0.3, false);
    instance->setSampleRate(96000.0f);
    silentBlock(*instance);
    ASSERT_EQ(probe.callCount, 1);
    EXPECT_EQ(probe.calls[0].index, 4u);
    EXPECT_EQ(probe.calls[0].value, double(0.3f));
    EXPECT_EQ(probe.sampleRateCalls, 2);
    EXPECT_EQ(probe.sampleRate, 96000.0);
    EXPECT_EQ(field<float>(*instance, QorAAXContext::kLastSampleRate), 96000.0f);
}

TEST(AaxProcess, MessageFromTheProcessorReachesTheMailboxAndIsCollected)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Mono);
    ASSERT_NE(instance, nullptr);
    ProbeProcessor& probe = installProbe(*instance);
    auto& mailbox = field<QorAAXMailbox>(*instance, QorAAXContext::kMailbox);

    const char tooLong[1025] = {};
    for (auto [bytes, length] : {std::pair<const char*, int64_t>{nullptr, 4}, {tooLong, 1025}, {tooLong, 0}})
    {
        probe.toSend = bytes;
        probe.toSendLength = length;
        silentBlock(*instance);
        EXPECT_FALSE(probe.sendAccepted) << length;
    }
    probe.toSend = "meter please";
    probe.toSendLength = 12;
    silentBlock(*instance); // sent during this block...
    EXPECT_TRUE(probe.sendAccepted);
    EXPECT_EQ(mailbox.toControllerLength, 0u);
    silentBlock(*instance); // ...handed over at the start of the next
    ASSERT_EQ(mailbox.toControllerLength, 12u);
    EXPECT_EQ(std::memcmp(mailbox.toController, "meter please", 12), 0);
    EXPECT_EQ(instance->idle(), AAX_SUCCESS); // the timer takes it to the controller
    EXPECT_EQ(mailbox.toControllerLength, 0u);
    EXPECT_EQ(mailbox.toController[0], 0);
}

// Lengths in the blocks are the host's memory; the procedure never reads or copies past the
// 1024-byte buffers whatever they say.
TEST(AaxProcess, OversizedMessageLengthsInTheBlocksAreCut)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Mono);
    ASSERT_NE(instance, nullptr);
    ProbeProcessor& probe = installProbe(*instance);
    auto& mailbox = field<QorAAXMailbox>(*instance, QorAAXContext::kMailbox);
    // The bridge's outgoing length: after its vtable pointer (8), transport (88) and buffer (1024).
    auto* shared = static_cast<uint8_t*>(instance->context().privateData(QorAAXContext::kSharedBlock));
    constexpr std::size_t kOutgoingLength = 120 + 8 + 88 + 1024;
    const uint64_t huge = uint64_t(1) << 40;
    std::memcpy(shared + kOutgoingLength, &huge, sizeof huge);
    mailbox.toProcessorLength = 5000;
    silentBlock(*instance);
    EXPECT_EQ(probe.messageLength, 1024);
    EXPECT_EQ(mailbox.toProcessorLength, 0u);
    EXPECT_EQ(mailbox.toControllerLength, 1024u);
    uint64_t left = 1;
    std::memcpy(&left, shared + kOutgoingLength, sizeof left);
    EXPECT_EQ(left, 0u);
}

TEST(AaxProcess, PrivateDataResetChecksBlockAndSize)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    auto instance = makeInstance(*host, AAX_eStemFormat_Mono);
    ASSERT_NE(instance, nullptr);
    for (const auto& [f, result] : instance->resetResults())
        EXPECT_EQ(result, AAX_SUCCESS) << f;
    const auto& shared = field<QorAAXSharedBlock>(*instance, QorAAXContext::kSharedBlock);
    for (float slot : shared.slots)
        EXPECT_EQ(slot, -1.666f);
    EXPECT_EQ(field<int32_t>(*instance, QorAAXContext::kLatency), -1);
    EXPECT_EQ(field<float>(*instance, QorAAXContext::kLastSampleRate), -1.666f);

    AAX_IEffectParameters* p = instance->parameters();
    std::vector<uint8_t> block(4096, 0xAB);
    for (auto [f, size] : {std::pair{21, 1247u}, {21, 1249u}, {22, 8u}, {23, 2u}, {24, 2343u}, {25, 2063u}})
    {
        EXPECT_EQ(p->ResetFieldData(f, block.data(), size), AAX_ERROR_PORT_ID_OUT_OF_RANGE) << f;
        EXPECT_EQ(p->ResetFieldData(f, nullptr, size + 1), AAX_ERROR_PORT_ID_OUT_OF_RANGE) << f;
    }
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0xAB; }));
    EXPECT_EQ(p->ResetFieldData(26, block.data(), 2064), AAX_SUCCESS);
    EXPECT_TRUE(std::all_of(block.begin(), block.begin() + 2064, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(block[2064], 0xAB);
    EXPECT_EQ(p->ResetFieldData(40, nullptr, 16), AAX_SUCCESS);
}

// The audio thread's whole path: packets, editor slots, a message, bypass, meters, transport.
TEST(AaxProcess, TheProcessProcedureAllocatesNothing)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    std::size_t made;
    {
        qortest::AllocationScope creation;
        auto probe = makeInstance(*host, AAX_eStemFormat_Mono);
        made = creation.allocations();
    }
    ASSERT_GT(made, 0u) << "the counter does not see the module's allocations";

    for (uint32_t stem : {uint32_t(AAX_eStemFormat_Mono), uint32_t(AAX_eStemFormat_Stereo)})
    {
        auto instance = makeInstance(*host, stem);
        ASSERT_NE(instance, nullptr);
        instance->transport().playing = true;
        const auto signal = drums(8192, 44100.0, 9);
        std::vector<float> l(signal), r(signal), ol(8192), orr(8192);
        float* ins[2] = {l.data(), r.data()};
        float* outs[2] = {ol.data(), orr.data()};
        auto& shared = field<QorAAXSharedBlock>(*instance, QorAAXContext::kSharedBlock);
        auto& mailbox = field<QorAAXMailbox>(*instance, QorAAXContext::kMailbox);
        for (int round = 0; round < 8; ++round)
        {
            instance->hostEdit(kTime, round / 8.0, false);
            instance->setBypass(round % 3 == 2);
            instance->parameters()->GenerateCoefficients();
            shared.slots[20] = 0.5f;
            mailbox.toProcessor[8] = 9; // a parameter list with one record
            mailbox.toProcessor[9] = 1;
            mailbox.toProcessorLength = 26;
            instance->setSampleRate(round % 2 == 0 ? 44100.0f : 48000.0f);
            qortest::AllocationScope scope;
            instance->runProcedure(ins, outs, 8192);
            EXPECT_EQ(scope.allocations(), 0u) << round;
        }
    }
}

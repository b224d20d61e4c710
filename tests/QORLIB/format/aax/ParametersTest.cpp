// The host parameters, their texts and automation rules, and the two state chunks, through
// the loaded module.
#include "QORLIB/format/aax/sdk/AAX_CString.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"
#include "tests/QORLIB/format/aax/AaxTestSupport.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace aaxtest;

namespace
{
const std::vector<std::string> kHostIDs = {"MasterBypassID", "0: Process",     "2: Ratio",  "3: AttackRatio",
                                           "4: Time",        "5: Compression", "6: Output", "7: ValveLevel"};

std::string textFor(AaxInstance& i, const char* id, double value, int32_t maxLength, AAX_Result* result = nullptr)
{
    AAX_CString text("untouched");
    const AAX_Result r = i.parameters()->GetParameterStringFromValue(id, value, &text, maxLength);
    if (result != nullptr)
        *result = r;
    return text.str();
}

void putU32(std::vector<uint8_t>& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

// The controls chunk as documented: version 1, count, then type 1, name length, name, double.
std::vector<uint8_t> controlsBytes(const std::vector<std::pair<std::string, double>>& entries)
{
    std::vector<uint8_t> b;
    putU32(b, 1);
    putU32(b, uint32_t(entries.size()));
    for (const auto& [name, value] : entries)
    {
        b.push_back(1);
        b.push_back(uint8_t(name.size()));
        b.insert(b.end(), name.begin(), name.end());
        uint64_t bits;
        std::memcpy(&bits, &value, 8);
        for (int i = 0; i < 8; ++i)
            b.push_back(uint8_t(bits >> (8 * i)));
    }
    return b;
}

AaxChunk chunkOf(AAX_CTypeID id, std::vector<uint8_t> data) { return AaxChunk{id, 0, "", std::move(data)}; }

class AaxParameters : public testing::Test
{
protected:
    void SetUp() override
    {
        host = startedHost(builtModule());
        ASSERT_NE(host, nullptr);
        a = makeInstance(*host, AAX_eStemFormat_Stereo);
        b = makeInstance(*host, AAX_eStemFormat_Stereo);
        ASSERT_TRUE(a && b);
    }
    // Saves a's chunk and restores it into b, then lets b's host answer.
    AAX_Result carry(AAX_CTypeID id)
    {
        AaxChunk chunk;
        const AAX_Result saved = a->saveChunk(id, chunk);
        if (saved != AAX_SUCCESS)
            return saved;
        const AAX_Result restored = b->restoreChunk(chunk);
        b->idle();
        return restored;
    }
    double defaultTime() const
    {
        double values[12];
        for (double& v : values)
            v = 0.5;
        vellaCorFactoryPresets::getFactoryPreset(0, values, nullptr, nullptr);
        return double(float(values[4]));
    }

    std::unique_ptr<AaxHost> host;
    std::unique_ptr<AaxInstance> a, b;
};
} // namespace

TEST_F(AaxParameters, HostParametersInRegistrationOrderWithFactoryDefaults)
{
    AAX_IEffectParameters* p = a->parameters();
    int32_t count = 0;
    ASSERT_EQ(p->GetNumberOfParameters(&count), AAX_SUCCESS);
    ASSERT_EQ(count, 8);
    double factory[12];
    for (uint32_t i = 0; i < 12; ++i)
        factory[i] = 0.5;
    vellaCorFactoryPresets::getFactoryPreset(0, factory, nullptr, nullptr);
    for (int32_t i = 0; i < count; ++i)
    {
        AAX_CString id, name;
        ASSERT_EQ(p->GetParameterIDFromIndex(i, &id), AAX_SUCCESS);
        EXPECT_EQ(id.str(), kHostIDs[std::size_t(i)]);
        p->GetParameterName(id.Get(), &name);
        EXPECT_EQ(name.str(), i == 0 ? "Master Bypass" : id.str());
        const double expected = i == 0 ? 0.0 : double(float(factory[std::stoi(id.str())]));
        EXPECT_EQ(a->parameterValue(id.str()), expected) << id.str();
    }
    AAX_CString bypass;
    p->GetMasterBypassParameter(&bypass);
    EXPECT_EQ(bypass.str(), "MasterBypassID");
    EXPECT_EQ(a->controller().registered, kHostIDs);
    // The host reads texts through the SDK's displays: two decimals, and the bypass words.
    AAX_CString text;
    p->GetParameterValueString("5: Compression", &text, 31);
    EXPECT_EQ(text.str(), "0.50");
    p->GetParameterValueString("MasterBypassID", &text, 31);
    EXPECT_EQ(text.str(), "bypass");
}

TEST_F(AaxParameters, DisplayTextsOfEveryIndex)
{
    EXPECT_EQ(textFor(*a, "13: Gain Reduction", 0.5, 31), "-6.02 dB ");
    EXPECT_EQ(textFor(*a, "13: Gain Reduction", 0.0, 31), "-oo dB ");
    EXPECT_EQ(textFor(*a, "13: Gain Reduction", 0.5, 3), "-6.");
    EXPECT_EQ(textFor(*a, "13: Gain Reduction", 0.5, 0), "");
    EXPECT_EQ(textFor(*a, "0: Process", 0.25, 31), "Clear");
    EXPECT_EQ(textFor(*a, "0: Process", 0.2499, 31), "Off");
    EXPECT_EQ(textFor(*a, "4: Time", 0.5, 31), "5.00");
    EXPECT_EQ(textFor(*a, "6: Output", 0.15, 31), "4.50");
    EXPECT_EQ(textFor(*a, "2: Ratio", 1.0 / 12.0, 31), "1.5:1");
    EXPECT_EQ(textFor(*a, "1:  ", 0.5, 31), "");
    EXPECT_EQ(textFor(*a, "28:  ", 0.5, 31), "");
    for (const char* unknown : {"MasterBypassID", "4:Time", "29:  ", "", "4: time"})
    {
        AAX_Result r = 0;
        EXPECT_EQ(textFor(*a, unknown, 0.5, 31, &r), "untouched") << unknown;
        EXPECT_EQ(r, AAX_ERROR_INVALID_PARAMETER_ID) << unknown;
    }
    AAX_CString text;
    EXPECT_EQ(a->parameters()->GetParameterStringFromValue(nullptr, 0.5, &text, 31), AAX_ERROR_INVALID_PARAMETER_ID);
}

TEST_F(AaxParameters, UnknownIdsChangeNothing)
{
    AAX_IEffectParameters* p = a->parameters();
    int32_t before = 0, after = 0;
    p->GetNumberOfChanges(&before);
    for (const char* id : {"13: Gain Reduction", "1:  ", "no such", "20:  "})
    {
        EXPECT_EQ(p->UpdateParameterNormalizedValue(id, 0.3, AAX_eUpdateSource_Unspecified),
                  AAX_ERROR_INVALID_PARAMETER_ID);
        EXPECT_EQ(p->TouchParameter(id), AAX_ERROR_INVALID_PARAMETER_ID);
        double v = 0.0;
        EXPECT_EQ(p->GetParameterNormalizedValue(id, &v), AAX_ERROR_INVALID_PARAMETER_ID);
    }
    p->GetNumberOfChanges(&after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(p->UpdateParameterNormalizedValue(kTime, 0.3, AAX_eUpdateSource_Unspecified), AAX_SUCCESS);
    p->GetNumberOfChanges(&after);
    EXPECT_EQ(after, before + 1);
}

// Whether a host change reached the product's own state shows in its 'All ' chunk, restored
// into a second instance.
TEST_F(AaxParameters, OnlyTouchedUserChangesReachTheProductState)
{
    struct
    {
        bool touched;
        AAX_EUpdateSource source;
        bool reaches;
    } cases[] = {{true, AAX_eUpdateSource_Unspecified, true},
                 {false, AAX_eUpdateSource_Unspecified, false},
                 {true, AAX_eUpdateSource_Chunk, false},
                 {true, AAX_eUpdateSource_Parameter, false},
                 {true, AAX_eUpdateSource_Delay, false}};
    for (const auto& c : cases)
    {
        a = makeInstance(*host, AAX_eStemFormat_Stereo);
        b = makeInstance(*host, AAX_eStemFormat_Stereo);
        ASSERT_EQ(a->hostEdit(kTime, 0.25, c.touched, c.source), AAX_SUCCESS);
        a->idle();
        EXPECT_EQ(a->parameterValue(kTime), 0.25); // the host parameter itself always follows
        ASSERT_EQ(carry(kAll), AAX_SUCCESS);
        EXPECT_EQ(b->parameterValue(kTime), c.reaches ? 0.25 : defaultTime()) << int(c.source) << c.touched;
    }
}

TEST_F(AaxParameters, ProductChunkLayout)
{
    int32_t count = 0;
    a->parameters()->GetNumberOfChunks(&count);
    EXPECT_EQ(count, 2);
    AAX_CTypeID id = 1;
    EXPECT_EQ(a->parameters()->GetChunkIDFromIndex(0, &id), AAX_SUCCESS);
    EXPECT_EQ(id, kElck);
    EXPECT_EQ(a->parameters()->GetChunkIDFromIndex(1, &id), AAX_SUCCESS);
    EXPECT_EQ(id, kAll);
    for (int32_t bad : {2, -1, 1000})
    {
        id = 1;
        EXPECT_EQ(a->parameters()->GetChunkIDFromIndex(bad, &id), AAX_ERROR_INVALID_CHUNK_INDEX);
        EXPECT_EQ(id, 0u);
    }

    AaxChunk chunk;
    ASSERT_EQ(a->saveChunk(kAll, chunk), AAX_SUCCESS);
    const auto& d = chunk.data;
    ASSERT_GT(d.size(), 16u + 41u);
    EXPECT_EQ(std::vector<uint8_t>(d.begin(), d.begin() + 8),
              (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x02, 'B', 'R', 'X', 'K'}));
    EXPECT_EQ(std::vector<uint8_t>(d.begin() + 8, d.begin() + 12), (std::vector<uint8_t>{'B', 'R', 'X', 'K'}));
    EXPECT_EQ(std::vector<uint8_t>(d.end() - 8, d.end()),
              (std::vector<uint8_t>{0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 0x30, 0x00}));
    EXPECT_EQ(chunk.name, "");
    uint32_t size = 0;
    a->parameters()->GetChunkSize(kAll, &size);
    EXPECT_EQ(size, d.size());

    size = 7;
    EXPECT_EQ(a->parameters()->GetChunkSize(AAX_FourCC("abcd"), &size), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ(size, 0u);
    AaxChunk other;
    EXPECT_EQ(a->saveChunk(AAX_FourCC("abcd"), other), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ(a->restoreChunk(chunkOf(AAX_FourCC("abcd"), d)), AAX_ERROR_INVALID_CHUNK_ID);
}

TEST_F(AaxParameters, ChunkWithoutItsSizeAskedFirstIsRefused)
{
    AaxChunk::Block block(4096);
    EXPECT_EQ(a->parameters()->GetChunk(kAll, block.chunk()), AAX_ERROR_INCORRECT_CHUNK_SIZE);
    EXPECT_EQ(a->parameters()->GetChunk(kElck, block.chunk()), AAX_ERROR_INCORRECT_CHUNK_SIZE);
}

TEST_F(AaxParameters, ControlsChunkIsTheDocumentedLayout)
{
    a->hostEdit(kTime, 0.25, false);
    std::vector<std::pair<std::string, double>> entries;
    for (const auto& id : kHostIDs)
        entries.emplace_back(id, a->parameterValue(id));
    AaxChunk chunk;
    ASSERT_EQ(a->saveChunk(kElck, chunk), AAX_SUCCESS);
    EXPECT_EQ(chunk.data, controlsBytes(entries));
    EXPECT_EQ(chunk.name, "Complete Controls State");
    EXPECT_EQ(chunk.version, 1);

    // A hand-made chunk naming two parameters sets just those.
    ASSERT_EQ(b->restoreChunk(chunkOf(kElck, controlsBytes({{kTime, 0.75}, {kRatio, 1.0}}))), AAX_SUCCESS);
    b->idle();
    EXPECT_EQ(b->parameterValue(kTime), 0.75);
    EXPECT_EQ(b->parameterValue(kRatio), 1.0);

    bool equal = false;
    EXPECT_EQ(a->compareChunk(chunk, equal), AAX_SUCCESS);
    EXPECT_TRUE(equal);
    a->hostEdit(kTime, 0.5, false);
    a->compareChunk(chunk, equal);
    EXPECT_FALSE(equal);
    AaxChunk all;
    a->saveChunk(kAll, all);
    a->hostEdit(kTime, 0.125, true);
    a->compareChunk(all, equal);
    EXPECT_TRUE(equal); // only controls chunks are compared
}

TEST_F(AaxParameters, BrokenControlsChunksChangeNothing)
{
    const auto good = controlsBytes({{kTime, 0.75}});
    std::vector<std::vector<uint8_t>> broken = {
        std::vector<uint8_t>(good.begin(), good.end() - 1), // cut short
        std::vector<uint8_t>(good.begin(), good.begin() + 7),
        {},
    };
    auto longer = good;
    longer.push_back(0); // a stray byte
    broken.push_back(longer);
    auto version = good;
    version[0] = 2;
    broken.push_back(version);
    auto count = good;
    count[4] = 2;
    broken.push_back(count);
    auto type = good;
    type[8] = 2;
    broken.push_back(type);
    auto name = good;
    name[9] = 200; // a name running past the end
    broken.push_back(name);
    for (const auto& bytes : broken)
    {
        EXPECT_EQ(b->restoreChunk(chunkOf(kElck, bytes)), AAX_ERROR_INCORRECT_CHUNK_SIZE) << bytes.size();
        b->idle();
        EXPECT_EQ(b->parameterValue(kTime), defaultTime());
    }
    EXPECT_TRUE(eventsOf(*b, AaxAutomationEvent::kSet).empty());
}

TEST_F(AaxParameters, ProductStateRoundTripsBetweenInstances)
{
    a->hostEdit(kTime, 0.125, true);
    a->hostEdit(kRatio, 1.0, true);
    a->hostEdit("6: Output", 0.5, true);
    a->idle();
    std::vector<AaxChunk> chunks;
    ASSERT_EQ(a->saveChunks(chunks), AAX_SUCCESS);
    ASSERT_EQ(chunks.size(), 2u);
    for (const auto& c : chunks)
        ASSERT_EQ(b->restoreChunk(c), AAX_SUCCESS);
    b->idle();
    for (const auto& id : kHostIDs)
        EXPECT_EQ(b->parameterValue(id), a->parameterValue(id)) << id;
    AaxChunk again;
    ASSERT_EQ(b->saveChunk(kAll, again), AAX_SUCCESS);
    EXPECT_EQ(again.data, chunks[1].data);

    // The product chunk (restored last) re-sends each value as touch, set, release, which the
    // host tags as a chunk change; the same audio then comes out of both.
    const auto& log = b->controller().log;
    auto set = std::find_if(log.rbegin(), log.rend(), [](const auto& e) {
        return e.kind == AaxAutomationEvent::kSet && e.id == kTime;
    });
    ASSERT_NE(set, log.rend());
    ASSERT_NE(set, log.rbegin());
    EXPECT_EQ((set + 1)->kind, AaxAutomationEvent::kTouch);
    EXPECT_EQ((set - 1)->kind, AaxAutomationEvent::kRelease);
    EXPECT_EQ(set->source, AAX_eUpdateSource_Chunk);
    const auto signal = drums(8192, 44100.0, 11);
    EXPECT_EQ(run(*a, {signal, signal}, 512), run(*b, {signal, signal}, 512));
}

TEST_F(AaxParameters, ShortAndForeignProductChunks)
{
    AaxChunk chunk;
    a->hostEdit(kTime, 0.25, true);
    ASSERT_EQ(a->saveChunk(kAll, chunk), AAX_SUCCESS);

    for (std::size_t size : {0u, 8u, 11u})
        EXPECT_EQ(b->restoreChunk(chunkOf(kAll, std::vector<uint8_t>(chunk.data.begin(), chunk.data.begin() + long(size)))),
                  AAX_ERROR_NOT_INITIALIZED);
    EXPECT_TRUE(b->controller().log.empty());

    // Another product code: the state stays, but the current values still go to the host.
    auto foreign = chunk.data;
    std::memcpy(foreign.data() + 4, "ABCD", 4);
    EXPECT_EQ(b->restoreChunk(chunkOf(kAll, foreign)), AAX_SUCCESS);
    b->idle();
    EXPECT_EQ(b->parameterValue(kTime), defaultTime());
    EXPECT_EQ(eventsOf(*b, AaxAutomationEvent::kSet).size(), 7u);

    // The byte-swapped writer's code is accepted like our own.
    auto swapped = chunk.data;
    std::memcpy(swapped.data() + 4, "KXRB", 4);
    EXPECT_EQ(b->restoreChunk(chunkOf(kAll, swapped)), AAX_SUCCESS);
    b->idle();
    EXPECT_EQ(b->parameterValue(kTime), 0.25);
}

TEST_F(AaxParameters, DamagedProductChunksNeverBreakTheInstance)
{
    AaxChunk chunk;
    ASSERT_EQ(a->saveChunk(kAll, chunk), AAX_SUCCESS);
    std::vector<std::vector<uint8_t>> variants;
    for (std::size_t n = 12; n < chunk.data.size(); n += 7)
        variants.emplace_back(chunk.data.begin(), chunk.data.begin() + long(n));
    std::mt19937 rng(5);
    for (int i = 0; i < 300; ++i)
    {
        auto v = chunk.data;
        for (int k = 0; k < 1 + i % 8; ++k)
            v[8 + rng() % (v.size() - 8)] = uint8_t(rng());
        variants.push_back(v);
    }
    for (const auto& v : variants)
    {
        EXPECT_EQ(b->restoreChunk(chunkOf(kAll, v)), AAX_SUCCESS);
        b->idle();
        for (const auto& id : kHostIDs)
        {
            const double value = b->parameterValue(id);
            ASSERT_TRUE(value >= 0.0 && value <= 1.0) << id;
        }
    }
    silentBlock(*b);
}

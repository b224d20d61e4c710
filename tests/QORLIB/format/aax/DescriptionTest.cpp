// The description as the host records it, against the tables of the plug-in's registration,
// and the entry points' edge cases.
#include "QORLIB/format/aax/host/AaxHostServices.h"
#include "tests/QORLIB/format/aax/AaxTestSupport.h"
#include "vellaCor/vellaCorIdentity.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace aaxtest;

namespace
{
using Kind = AaxFieldCall::Kind;

AAX_CTypeID code(const std::string& s) { return AAX_CTypeID(uint8_t(s[0])) << 24 | AAX_CTypeID(uint8_t(s[1])) << 16 | AAX_CTypeID(uint8_t(s[2])) << 8 | uint8_t(s[3]); }

// The meter table spelled out, as the host must see it: three standard meters, then the
// 'mtc', 'mrc', 'mtt' and 'mrt' groups (note Q after W and V last in the long groups).
std::vector<AAX_CTypeID> expectedMeters()
{
    std::istringstream table(
        "mtrI mtrO mtGR mtcA mtcB mtcC mtcD mtcE mtcF mtcG mtcH mtcI mtcJ mtcK mtcL mtcM "
        "mtcN mtcO mtcP mtcR mtcS mtcT mtcU mtcW mtcQ mtcX mtcY mtcZ mtcV mrcA mrcB mrcC "
        "mrcD mrcE mrcF mttA mttB mttC mttD mttE mttF mttG mttH mttI mttJ mttK mttL mttM "
        "mttN mttO mttP mttR mttS mttT mttU mttW mttQ mttX mttY mttZ mttV mrtA mrtB mrtC "
        "mrtD mrtE mrtF ");
    std::vector<AAX_CTypeID> ids;
    for (std::string id; table >> id;)
        ids.push_back(code(id));
    return ids;
}

struct Call
{
    Kind kind;
    AAX_CFieldIndex field;
    int64_t size;
};

// Registration order of one layout's fields.
std::vector<Call> expectedCalls()
{
    std::vector<Call> calls = {{Kind::kAudioIn, 13, 0},       {Kind::kAudioOut, 14, 0}, {Kind::kBufferLength, 15, 0},
                               {Kind::kSampleRate, 16, 0},    {Kind::kMeters, 17, 67},  {Kind::kMidiNode, 18, 0},
                               {Kind::kMidiNode, 20, 0}};
    for (int port = 0; port <= 12; ++port)
        calls.push_back({Kind::kDataInPort, port, 4});
    for (auto [f, s] : {std::pair{21, 1248}, {23, 4}, {22, 4}, {24, 2344}, {25, 2064}, {26, 2064}})
        calls.push_back({Kind::kPrivateData, f, s});
    return calls;
}

void expectLayout(const std::vector<AaxFieldCall>& calls, std::size_t from)
{
    const auto expected = expectedCalls();
    ASSERT_GE(calls.size(), from + expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        const AaxFieldCall& c = calls[from + i];
        EXPECT_EQ(c.kind, expected[i].kind) << i;
        EXPECT_EQ(c.field, expected[i].field) << i;
        EXPECT_EQ(c.size, expected[i].size) << i;
        if (c.kind == Kind::kDataInPort)
        {
            EXPECT_EQ(c.type, 1);
        }
        if (c.kind == Kind::kPrivateData)
        {
            EXPECT_EQ(c.options, 0u);
        }
    }
    EXPECT_EQ(calls[from + 4].meterIDs, expectedMeters());
    EXPECT_EQ(calls[from + 5].type, 0);
    EXPECT_EQ(calls[from + 5].name, "Qor vellaCor");
    EXPECT_EQ(calls[from + 5].options, 0xFFFFu);
    EXPECT_EQ(calls[from + 6].type, 3);
    EXPECT_EQ(calls[from + 6].name, "Transport");
    EXPECT_EQ(calls[from + 6].options, 0xFFFFu);
}

AaxProperties componentProperties(int32_t stem, const char* native)
{
    return {{11, int32_t(code("Qora"))}, {12, int32_t(code("KXRB"))}, {60, 1},
            {51, stem},                  {52, stem},                   {13, int32_t(code(native))},
            {14, int32_t(code("XRBa"))}};
}

std::string text(const AaxHostServices::TraceRecord& t) { return t.message; }
} // namespace

TEST(AaxDescription, RecordedDescriptionMatchesTheRegistrationTables)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    const AaxCollection& c = *host->collection();
    EXPECT_EQ(c.manufacturer, "Qorwerk");
    EXPECT_EQ(c.packageNames, (std::vector<std::string>{"Qor vellaCor - opto compressor", "Qor vellaCor"}));
    EXPECT_EQ(c.packageVersion, 2220u);
    ASSERT_EQ(c.effects.size(), 1u);
    EXPECT_EQ(c.effects[0].id, vellaCorIdentity::kAaxEffectId);
    EXPECT_NE(host->definition(), nullptr);

    const AaxEffectRecord& e = *c.effects[0].record;
    EXPECT_EQ(e.names, std::vector<std::string>{"Qor vellaCor"});
    EXPECT_EQ(e.categories, std::vector<uint32_t>{2});
    ASSERT_EQ(e.components.size(), 2u);

    // The mono component; the stereo one is described on top of it without a Clear, so it
    // holds both layouts and both procedures.
    const auto& mono = e.components[0];
    EXPECT_EQ(mono.calls.size(), expectedCalls().size());
    expectLayout(mono.calls, 0);
    ASSERT_EQ(mono.procedures.size(), 1u);
    EXPECT_EQ(mono.procedures[0].properties, componentProperties(0x00000001, "XRBm"));
    EXPECT_FALSE(mono.procedures[0].hasInstanceInit);
    EXPECT_FALSE(mono.procedures[0].hasBackground);

    const auto& stereo = e.components[1];
    EXPECT_EQ(stereo.calls.size(), 2 * expectedCalls().size());
    expectLayout(stereo.calls, 0);
    expectLayout(stereo.calls, expectedCalls().size());
    ASSERT_EQ(stereo.procedures.size(), 2u);
    EXPECT_EQ(stereo.procedures[0].properties, mono.procedures[0].properties);
    EXPECT_EQ(stereo.procedures[0].procedure, mono.procedures[0].procedure);
    EXPECT_EQ(stereo.procedures[1].properties, componentProperties(0x00010002, "XRBs"));
    EXPECT_NE(stereo.procedures[1].procedure, mono.procedures[0].procedure);

    ASSERT_EQ(e.procedures.size(), 3u);
    EXPECT_EQ(e.procedures[0].first, kAAX_ProcPtrID_Create_EffectParameters);
    EXPECT_EQ(e.procedures[1].first, kAAX_ProcPtrID_Create_EffectDirectData);
    EXPECT_EQ(e.procedures[2].first, kAAX_ProcPtrID_Create_EffectGUI);
    ASSERT_EQ(e.resources.size(), 1u);
    EXPECT_EQ(e.resources[0].first, AAX_eResourceType_PageTable);
    EXPECT_EQ(e.resources[0].second, "QorvellaCorPageTables.xml");

    const auto ids = expectedMeters();
    ASSERT_EQ(e.meters.size(), 67u);
    const char* names[] = {"Input", "Output", "GainReduction"};
    for (std::size_t k = 0; k < 67; ++k)
    {
        EXPECT_EQ(e.meters[k].id, ids[k]) << k;
        if (k < 3)
        {
            EXPECT_EQ(e.meters[k].name, names[k]);
            EXPECT_EQ(e.meters[k].properties, (AaxProperties{{200, int32_t(k)}, {201, 0}}));
        }
        else
        {
            EXPECT_EQ(e.meters[k].name, "Custom");
            EXPECT_EQ(e.meters[k].properties, (AaxProperties{{200, 5}, {201, 0}, {202, 1}}));
        }
    }
    EXPECT_TRUE(host->services().assertions.empty());
}

TEST(AaxDescription, RefusedFieldsAreReportedAndTheDescriptionStaysWhole)
{
    auto module = builtModule();
    ASSERT_NE(module, nullptr);
    AaxHost host(std::move(module));
    host.options().refusedFields = {5, 22};
    host.startup();
    EXPECT_EQ(host.registerPlugin(), 0);
    ASSERT_EQ(host.collection()->effects.size(), 1u);
    const auto& e = *host.collection()->effects[0].record;
    EXPECT_EQ(e.components[1].calls.size(), 2 * expectedCalls().size());
    EXPECT_EQ(e.meters.size(), 67u);
    // Only the private-data field is checked, once per layout; parameter ports are not.
    const auto& a = host.services().assertions;
    ASSERT_EQ(a.size(), 2u);
    for (const auto& report : a)
    {
        EXPECT_EQ(report.file, "Qor_AAX_Describe");
        EXPECT_EQ(report.note, "err == AAX_SUCCESS");
        EXPECT_EQ(report.flags, 1);
    }
    EXPECT_EQ(a[0].line, a[1].line);
}

TEST(AaxDescription, MissingDescriptorOrDefinitionFailsWithNullObject)
{
    for (bool definition : {false, true})
    {
        auto module = builtModule();
        ASSERT_NE(module, nullptr);
        AaxHost host(std::move(module));
        (definition ? host.options().refusePluginDefinition : host.options().refuseDescriptor) = true;
        host.startup();
        EXPECT_EQ(host.registerPlugin(), AAX_ERROR_NULL_OBJECT);
        EXPECT_EQ(host.definition(), nullptr);
        // The package is named whatever describing gave.
        EXPECT_EQ(host.collection()->manufacturer, "Qorwerk");
        EXPECT_EQ(host.collection()->effects.size(), definition ? 1u : 0u);
        const auto& a = host.services().assertions;
        ASSERT_EQ(a.size(), definition ? 0u : 1u);
        if (!definition)
        {
            EXPECT_EQ(a[0].note, "result == AAX_SUCCESS");
        }
        const auto& t = host.services().traces;
        ASSERT_EQ(t.size(), 2u);
        EXPECT_EQ(text(t[0]), "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT");
        EXPECT_EQ(text(t[1]), "AAXRegisterPlugin exception caught: AAX_ERROR_NULL_OBJECT");
        EXPECT_EQ(t[1].priority, 0x08000000);
    }
}

TEST(AaxDescription, WithoutComponentPropertyMapsNoProcedureIsRegistered)
{
    auto module = builtModule();
    ASSERT_NE(module, nullptr);
    AaxHost host(std::move(module));
    host.options().refuseComponentPropertyMaps = true;
    host.startup();
    EXPECT_EQ(host.registerPlugin(), 0);
    const auto& a = host.services().assertions;
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].note, "properties");
    EXPECT_TRUE(host.collection()->effects[0].record->components[1].procedures.empty());
    std::string error;
    EXPECT_EQ(host.createInstance(AAX_eStemFormat_Mono, error), nullptr);
}

TEST(AaxDescription, EntryPointEdgeCases)
{
    auto module = builtModule();
    ASSERT_NE(module, nullptr);
    const AaxEntryPoints& acf = module->entry();
    AaxHostServices first, second;

    // Without a proxy both calls do nothing.
    EXPECT_EQ(acf.startup(nullptr), 0);
    EXPECT_EQ(acf.shutdown(nullptr), 0);
    // The first host's proxy stays; reports from a registration go to it.
    EXPECT_EQ(acf.startup(&first), 0);
    EXPECT_EQ(acf.startup(&second), 0);
    AaxHostOptions refuse;
    refuse.refuseDescriptor = true;
    AaxCollection collection(refuse);
    second.setCollection(&collection);
    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ(acf.registerPlugin(&second, &definition), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ(first.traces.size(), 2u);
    EXPECT_TRUE(second.traces.empty());
    // A null host destroys the proxy: further reports are dropped.
    EXPECT_EQ(acf.startup(nullptr), 0);
    EXPECT_EQ(acf.registerPlugin(&second, &definition), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ(first.traces.size(), 2u);
    EXPECT_EQ(acf.shutdown(nullptr), 0);

    void* factory = &first;
    EXPECT_EQ(acf.getClassFactory(&first, acfUID{}, acfIID{}, &factory), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ(factory, nullptr);
    IACFUnknown* component = &first;
    EXPECT_EQ(acf.registerComponent(&first, 0, &component), 0);
    EXPECT_EQ(component, nullptr);
    uint64_t version = 0;
    EXPECT_EQ(acf.getSDKVersion(&version), 0);
    EXPECT_EQ(version, 0x0000020501344DC8ull);
    EXPECT_EQ(acf.getSDKVersion(nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ(acf.registerPlugin(&second, nullptr), AAX_ERROR_NULL_OBJECT);
}

TEST(AaxDescription, LiveObjectCountFollowsTheInstances)
{
    auto host = startedHost(builtModule());
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->canUnloadNow(), 0);
    {
        auto a = makeInstance(*host, AAX_eStemFormat_Stereo, true);
        EXPECT_EQ(host->canUnloadNow(), 3); // parameters, direct data, GUI
        {
            auto b = makeInstance(*host, AAX_eStemFormat_Mono);
            EXPECT_EQ(host->canUnloadNow(), 5);
        }
        EXPECT_EQ(host->canUnloadNow(), 3);
    }
    EXPECT_EQ(host->canUnloadNow(), 0);
}

// A session round trip through the LV2 state interface with lilv: the instance's A/B setups, the
// current preset's name and its modified mark are saved, written out as a host would, read back
// and restored into a new instance.
#include "QORLIB/format/lv2/Qor_LV2_Plugin.h"
#include "tests/QORLIB/format/lv2/Lv2Host.h"
#include "tests/QORLIB/format/lv2/UridMap.h"
#include "vellaCor/vellaCorIdentity.h"

#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/state/state.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
QorPresetManager& presetsOf(const qortest::Lv2Instance& instance)
{
    return static_cast<Qor_LV2::Plugin*>(lilv_instance_get_handle(instance.handle()))->presets();
}

const void* portValue(const char*, void*, uint32_t* size, uint32_t* type)
{
    *size = 0;
    *type = 0;
    return nullptr;
}

bool sameRecord(const QorPresetRecord& a, const QorPresetRecord& b)
{
    return std::strncmp(a.name, b.name, sizeof a.name) == 0 && std::memcmp(a.values, b.values, sizeof a.values) == 0;
}
} // namespace

TEST(Lv2State, SetupsNameAndModifiedMarkSurviveASessionRoundTrip)
{
    qortest::Lv2World world;
    qortest::UridMap urids;
    const LilvPlugin* plugin = world.plugin(vellaCorIdentity::kLv2UriStereo);
    ASSERT_NE(plugin, nullptr);

    std::string saved;
    QorPresetRecord aCurrent, bCurrent, bReference;
    std::string shownName;
    {
        qortest::Lv2Instance first(world, plugin, 48000, urids.features);
        QorPresetManager& m = presetsOf(first);
        m.selectPreset(5);
        aCurrent = m.current();
        m.switchSetup(1.0);
        m.selectPreset(9);
        bReference = m.current();
        m.parameterChanged(4, 0.9); // an edit in setup B: modified
        bCurrent = m.current();
        ASSERT_TRUE(m.modified());
        shownName = m.displayText().name;
        LilvState* state = lilv_state_new_from_instance(plugin, first.handle(), &urids.map, nullptr, nullptr, nullptr,
                                                        nullptr, portValue, nullptr,
                                                        LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, urids.features);
        ASSERT_NE(state, nullptr);
        char* text = lilv_state_to_string(world.world(), &urids.map, &urids.unmap, state, "urn:qor:test-session", nullptr);
        ASSERT_NE(text, nullptr);
        saved = text;
        lilv_free(text);
        lilv_state_free(state);
    }
    EXPECT_NE(saved.find("activeSetup"), std::string::npos);

    qortest::Lv2Instance second(world, plugin, 48000, urids.features);
    LilvState* state = lilv_state_new_from_string(world.world(), &urids.map, saved.c_str());
    ASSERT_NE(state, nullptr);
    lilv_state_restore(state, second.handle(), nullptr, nullptr, 0, urids.features);
    lilv_state_free(state);

    QorPresetManager& m = presetsOf(second);
    EXPECT_FALSE(m.setupAActive());
    EXPECT_TRUE(m.modified());
    EXPECT_EQ(m.displayText().name, shownName);
    EXPECT_TRUE(sameRecord(m.setupB().current, bCurrent));
    EXPECT_TRUE(sameRecord(m.setupB().reference, bReference));
    EXPECT_TRUE(sameRecord(m.setupA().current, aCurrent));
    EXPECT_EQ(m.setupA().modified, 0);
    // Back to A: the earlier preset, unmodified.
    m.switchSetup(0.0);
    EXPECT_EQ(std::string(m.current().name), std::string(aCurrent.name));
    EXPECT_FALSE(m.modified());
}

TEST(Lv2State, WithoutTheHostsUridMapNothingIsSavedAndNothingBreaks)
{
    qortest::Lv2World world;
    const LilvPlugin* plugin = world.plugin(vellaCorIdentity::kLv2UriMono);
    qortest::Lv2Instance instance(world, plugin, 44100);
    qortest::UridMap urids;
    LilvState* state = lilv_state_new_from_instance(plugin, instance.handle(), &urids.map, nullptr, nullptr, nullptr,
                                                    nullptr, portValue, nullptr, 0, nullptr);
    // lilv makes a state of the port values even when the plug-in saves nothing of its own.
    if (state)
    {
        char* text = lilv_state_to_string(world.world(), &urids.map, &urids.unmap, state, "urn:qor:empty", nullptr);
        EXPECT_EQ(std::string(text).find("activeSetup"), std::string::npos);
        lilv_free(text);
        lilv_state_free(state);
    }
}

// A session saved after a factory preset whose bank value sits beside its step (Ratio 0.6667) and
// after setups that an older version left between steps comes back with every step exact.
TEST(Lv2State, SteppedValuesComeBackOnTheirSteps)
{
    qortest::Lv2World world;
    qortest::UridMap urids;
    const LilvPlugin* plugin = world.plugin(vellaCorIdentity::kLv2UriStereo);
    ASSERT_NE(plugin, nullptr);
    std::string saved;
    {
        qortest::Lv2Instance first(world, plugin, 48000, urids.features);
        QorPresetManager& m = presetsOf(first);
        m.selectPreset(5); // "CompressHeavy1", Ratio 4:1
        QorSetupSlot b = m.setupA();
        b.current.values[3] = b.reference.values[3] = 4.5f / 7.0f; // attack_ratio 3.857
        b.current.values[7] = b.reference.values[7] = 5.5f / 7.0f; // valve_level 4.714
        m.restoreSetups(m.setupA(), b, true);
        LilvState* state = lilv_state_new_from_instance(plugin, first.handle(), &urids.map, nullptr, nullptr, nullptr,
                                                        nullptr, portValue, nullptr,
                                                        LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, urids.features);
        ASSERT_NE(state, nullptr);
        char* text = lilv_state_to_string(world.world(), &urids.map, &urids.unmap, state, "urn:qor:test-steps", nullptr);
        ASSERT_NE(text, nullptr);
        saved = text;
        lilv_free(text);
        lilv_state_free(state);
    }
    qortest::Lv2Instance second(world, plugin, 48000, urids.features);
    LilvState* state = lilv_state_new_from_string(world.world(), &urids.map, saved.c_str());
    ASSERT_NE(state, nullptr);
    lilv_state_restore(state, second.handle(), nullptr, nullptr, 0, urids.features);
    lilv_state_free(state);
    QorPresetManager& m = presetsOf(second);
    EXPECT_EQ(m.setupA().current.values[2], float(4.0 / 6.0));
    EXPECT_EQ(m.setupB().current.values[3], float(4.0 / 6.0));
    EXPECT_EQ(m.setupB().reference.values[7], float(5.0 / 6.0));
    EXPECT_EQ(m.setupB().current.values[0], 1.0f);
}

namespace
{
// A session saved from an instance whose setup A sits on factory entry 5 of "All" and whose
// setup B sits on entry 9, edited.
std::string sessionWithTwoPlaces(qortest::Lv2World& world, qortest::UridMap& urids, const LilvPlugin* plugin)
{
    qortest::Lv2Instance first(world, plugin, 48000, urids.features);
    QorPresetManager& m = presetsOf(first);
    m.selectPreset(5);
    m.switchSetup(1.0);
    m.selectPreset(9);
    m.parameterChanged(4, 0.9);
    LilvState* state = lilv_state_new_from_instance(plugin, first.handle(), &urids.map, nullptr, nullptr, nullptr,
                                                    nullptr, portValue, nullptr,
                                                    LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, urids.features);
    char* text = lilv_state_to_string(world.world(), &urids.map, &urids.unmap, state, "urn:qor:test-places", nullptr);
    std::string saved = text;
    lilv_free(text);
    lilv_state_free(state);
    return saved;
}

void restoreInto(qortest::Lv2World& world, qortest::UridMap& urids, qortest::Lv2Instance& instance,
                 const std::string& saved)
{
    LilvState* state = lilv_state_new_from_string(world.world(), &urids.map, saved.c_str());
    ASSERT_NE(state, nullptr);
    lilv_state_restore(state, instance.handle(), nullptr, nullptr, 0, urids.features);
    lilv_state_free(state);
}
} // namespace

TEST(Lv2State, EachSetupComesBackAtItsPlaceInTheListAndTheArrowsStepFromThere)
{
    qortest::Lv2World world;
    qortest::UridMap urids;
    const LilvPlugin* plugin = world.plugin(vellaCorIdentity::kLv2UriStereo);
    ASSERT_NE(plugin, nullptr);
    const std::string saved = sessionWithTwoPlaces(world, urids, plugin);

    qortest::Lv2Instance second(world, plugin, 48000, urids.features);
    restoreInto(world, urids, second, saved);
    QorPresetManager& m = presetsOf(second);
    ASSERT_FALSE(m.setupAActive());
    EXPECT_EQ(m.displayText().number, "09: ");
    m.switchSetup(0.0);
    EXPECT_EQ(m.displayText().number, "05: ");
    m.nextPreset();
    EXPECT_EQ(m.index(), 6);
    EXPECT_EQ(std::string(m.current().name), m.entryName(0, 0, 6));
}

TEST(Lv2State, ASessionSavedWithoutPlacesStillRestoresItsSetups)
{
    qortest::Lv2World world;
    qortest::UridMap urids;
    const LilvPlugin* plugin = world.plugin(vellaCorIdentity::kLv2UriStereo);
    std::string saved = sessionWithTwoPlaces(world, urids, plugin);
    // Remove the place statements, as a session written by an older plug-in has none.
    std::string old;
    std::size_t start = 0;
    int removed = 0;
    while (start < saved.size())
    {
        std::size_t end = saved.find('\n', start);
        end = end == std::string::npos ? saved.size() : end + 1;
        const std::string line = saved.substr(start, end - start);
        const bool place = line.find("Kind>") != std::string::npos || line.find("Column>") != std::string::npos ||
                           line.find("Index>") != std::string::npos;
        if (place)
            ++removed;
        else
            old += line;
        start = end;
    }
    ASSERT_EQ(removed, 6) << saved;
    ASSERT_NE(old.find("activeSetup"), std::string::npos);
    qortest::Lv2Instance second(world, plugin, 48000, urids.features);
    restoreInto(world, urids, second, old);
    QorPresetManager& m = presetsOf(second);
    EXPECT_FALSE(m.setupAActive());
    EXPECT_TRUE(m.modified());
    EXPECT_EQ(m.displayText().number, "CP:");
}

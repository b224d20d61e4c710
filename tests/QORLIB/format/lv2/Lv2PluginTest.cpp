// The bundle as a real host sees it, loaded with lilv from the build tree.
#include "tests/QORLIB/format/lv2/Lv2Host.h"
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorIdentity.h"

#include <lv2/presets/presets.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <set>

using qortest::Lv2Instance;
using qortest::Lv2World;

namespace
{
const char* const kUris[2] = {vellaCorIdentity::kLv2UriMono, vellaCorIdentity::kLv2UriStereo};

std::vector<float> testSignal(size_t frames, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    std::vector<float> s(frames);
    for (size_t i = 0; i < frames; ++i)
        s[i] = float(0.6 * std::sin(2.0 * 3.141592653589793 * 220.0 * double(i) / 48000.0) * ((i / 4800) % 2)) +
               0.05f * noise(rng);
    return s;
}

// The engine driven directly with the normalised values the ports stand for.
std::vector<std::vector<float>> engineRender(const std::map<uint32_t, double>& settings,
                                             const std::vector<std::vector<float>>& in, bool bypass = false)
{
    vellaCorEffect e;
    e.setSampleRate(48000.0);
    for (const auto& [index, value] : settings)
        e.setParameter(index, value);
    e.reset();
    std::vector<std::vector<float>> out(in.size(), std::vector<float>(in[0].size()));
    float* i[2] = {const_cast<float*>(in[0].data()), in.size() > 1 ? const_cast<float*>(in[1].data()) : nullptr};
    float* o[2] = {out[0].data(), out.size() > 1 ? out[1].data() : nullptr};
    if (bypass)
        e.processBypassed(i, o, int32_t(in[0].size()));
    else
        e.process(i, o, int32_t(in[0].size()));
    return out;
}

class Lv2Plugin : public testing::Test
{
protected:
    Lv2World world;
};
} // namespace

TEST_F(Lv2Plugin, BothPluginsAreFoundWithTheirPorts)
{
    struct Expected
    {
        const char* symbol;
        float minimum, maximum, defaultValue;
        std::vector<std::string> points;
    };
    const std::vector<Expected> controls = {
        {"process", 0, 2, 2, {"Off", "Clear", "Valve"}},
        {"ratio", 0, 6, 3, {"1.2:1", "1.5:1", "2:1", "3:1", "4:1", "6:1", "10:1"}},
        {"attack_ratio", 0, 6, 3, {"x0.25", "x0.4", "x0.6", "x1.0", "x1.6", "x2.5", "x4"}},
        {"time", 0, 10, 5, {}},
        {"compression", 0, 10, 5, {}},
        {"output", 0, 30, 4.5f, {}},
        {"valve_level", 0, 6, 3, {"-3", "-2", "-1", "0", "+1", "+2", "+3"}},
        {"enabled", 0, 1, 1, {}},
        {"gain_reduction", 0, 1, std::numeric_limits<float>::quiet_NaN(), {}},
    };
    LilvNode* enabled = world.uri(LV2_CORE__enabled);
    LilvNode* hardRt = world.uri(LV2_CORE__hardRTCapable);
    LilvNode* audioClass = world.uri(LILV_URI_AUDIO_PORT);
    LilvNode* inputClass = world.uri(LV2_CORE__InputPort);
    for (int stereo = 0; stereo < 2; ++stereo)
    {
        const LilvPlugin* p = world.plugin(kUris[stereo]);
        ASSERT_NE(p, nullptr) << kUris[stereo];
        EXPECT_TRUE(lilv_plugin_verify(p));
        EXPECT_EQ(lilv_plugin_get_num_ports(p), stereo ? 14u : 12u);
        EXPECT_FALSE(lilv_plugin_has_latency(p));
        LilvNodes* features = lilv_plugin_get_optional_features(p);
        EXPECT_TRUE(lilv_nodes_contains(features, hardRt));
        lilv_nodes_free(features);
        EXPECT_EQ(lilv_plugin_get_num_ports_of_class(p, audioClass, nullptr), stereo ? 4u : 2u);
        for (size_t i = 0; i < controls.size(); ++i)
        {
            const Expected& c = controls[i];
            SCOPED_TRACE(c.symbol);
            const LilvPort* port = lilv_plugin_get_port_by_index(p, uint32_t(i));
            ASSERT_NE(port, nullptr);
            EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(p, port)), c.symbol);
            LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
            lilv_port_get_range(p, port, &def, &min, &max);
            EXPECT_EQ(lilv_node_as_float(min), c.minimum);
            EXPECT_EQ(lilv_node_as_float(max), c.maximum);
            if (std::isnan(c.defaultValue))
                EXPECT_EQ(def, nullptr);
            else
                EXPECT_EQ(lilv_node_as_float(def), c.defaultValue);
            lilv_node_free(def);
            lilv_node_free(min);
            lilv_node_free(max);
            std::vector<std::string> labels(c.points.size());
            LilvScalePoints* points = lilv_port_get_scale_points(p, port);
            EXPECT_EQ(points ? lilv_scale_points_size(points) : 0u, c.points.size());
            LILV_FOREACH(scale_points, it, points)
            {
                const LilvScalePoint* sp = lilv_scale_points_get(points, it);
                const int value = int(lilv_node_as_float(lilv_scale_point_get_value(sp)));
                ASSERT_LT(size_t(value), labels.size());
                labels[size_t(value)] = lilv_node_as_string(lilv_scale_point_get_label(sp));
            }
            lilv_scale_points_free(points);
            EXPECT_EQ(labels, c.points);
        }
        const LilvPort* enabledPort = lilv_plugin_get_port_by_designation(p, inputClass, enabled);
        ASSERT_NE(enabledPort, nullptr);
        EXPECT_EQ(lilv_port_get_index(p, enabledPort), 7u);
        const char* const audio[2][4] = {{"in", "out"}, {"in_l", "in_r", "out_l", "out_r"}};
        for (int a = 0; a < (stereo ? 4 : 2); ++a)
            EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(p, lilv_plugin_get_port_by_index(p, 9 + a))),
                         audio[stereo][a]);
    }
    for (LilvNode* n : {enabled, hardRt, audioClass, inputClass})
        lilv_node_free(n);
}

TEST_F(Lv2Plugin, FactoryPresetsAreListedWithTheirValues)
{
    LilvNode* presetClass = world.uri(LV2_PRESETS__Preset);
    LilvNode* label = world.uri(LILV_NS_RDFS "label");
    LilvNode* portProp = world.uri(LV2_CORE__port);
    LilvNode* symbolProp = world.uri(LV2_CORE__symbol);
    LilvNode* valueProp = world.uri(LV2_PRESETS__value);
    for (const char* uri : kUris)
    {
        const LilvPlugin* p = world.plugin(uri);
        ASSERT_NE(p, nullptr);
        LilvNodes* presets = lilv_plugin_get_related(p, presetClass);
        std::map<std::string, std::map<std::string, float>> found;
        LILV_FOREACH(nodes, it, presets)
        {
            const LilvNode* preset = lilv_nodes_get(presets, it);
            lilv_world_load_resource(world.world(), preset);
            LilvNode* name = lilv_world_get(world.world(), preset, label, nullptr);
            ASSERT_NE(name, nullptr);
            auto& values = found[lilv_node_as_string(name)];
            lilv_node_free(name);
            LilvNodes* ports = lilv_world_find_nodes(world.world(), preset, portProp, nullptr);
            LILV_FOREACH(nodes, pi, ports)
            {
                const LilvNode* port = lilv_nodes_get(ports, pi);
                LilvNode* sym = lilv_world_get(world.world(), port, symbolProp, nullptr);
                LilvNode* val = lilv_world_get(world.world(), port, valueProp, nullptr);
                values[lilv_node_as_string(sym)] = lilv_node_as_float(val);
                lilv_node_free(sym);
                lilv_node_free(val);
            }
            lilv_nodes_free(ports);
        }
        lilv_nodes_free(presets);
        EXPECT_EQ(found.size(), 32u); // "Default" and the 31 named presets
        ASSERT_TRUE(found.count("Default"));
        ASSERT_TRUE(found.count("Glue Things Together"));
        ASSERT_TRUE(found.count("Vox"));
        ASSERT_TRUE(found.count("Hats Smasher"));
        EXPECT_EQ(found["Default"].size(), 7u);
        EXPECT_EQ(found["Vox"]["process"], 1.0f);          // "Clear"
        EXPECT_EQ(found["Hats Smasher"]["ratio"], 6.0f);   // "10:1"
        EXPECT_EQ(found["Hats Smasher"]["time"], 0.0f);
        EXPECT_NEAR(found["Hats Smasher"]["compression"], 7.75f, 1e-6);
        EXPECT_NEAR(found["Hats Smasher"]["output"], 0.425f * 30.0f, 1e-5); // shows 13.00 dB
        EXPECT_EQ(found["Glue Things Together"]["valve_level"], 3.0f);
    }
    for (LilvNode* n : {presetClass, label, portProp, symbolProp, valueProp})
        lilv_node_free(n);
}

TEST_F(Lv2Plugin, SignalMatchesTheEngineWithTheSameSettings)
{
    const std::map<std::string, float> ports = {{"process", 1},     {"ratio", 5},      {"attack_ratio", 1},
                                                {"time", 3.5f},     {"compression", 7.25f}, {"output", 6},
                                                {"valve_level", 4}};
    const std::map<uint32_t, double> engine = {{0, 0.5},   {2, 5.0 / 6.0}, {3, 1.0 / 6.0}, {4, 0.35},
                                               {5, 0.725}, {6, 0.2},       {7, 4.0 / 6.0}};
    for (int stereo = 0; stereo < 2; ++stereo)
    {
        std::vector<std::vector<float>> in = {testSignal(48000, 1)};
        if (stereo)
            in.push_back(testSignal(48000, 2));
        Lv2Instance plugin(world, world.plugin(kUris[stereo]), 48000.0);
        for (const auto& [symbol, value] : ports)
            plugin.set(symbol, value);
        const auto out = plugin.run(in, 512);
        const auto expected = engineRender(engine, in);
        ASSERT_EQ(out.size(), in.size());
        for (size_t c = 0; c < in.size(); ++c)
            EXPECT_EQ(out[c], expected[c]) << "channel " << c;
        EXPECT_GT(plugin.get("gain_reduction"), 0.05f);
    }
}

TEST_F(Lv2Plugin, BlockSizesFromOneTo8192AndEmptyRunsGiveTheSameSamples)
{
    const std::vector<std::vector<float>> in = {testSignal(20000, 3), testSignal(20000, 4)};
    const auto expected = engineRender({}, in);
    for (int block : {1, 5, 64, 1000, 8192})
    {
        Lv2Instance plugin(world, world.plugin(kUris[1]), 48000.0);
        plugin.run({{}, {}}, 512); // a run of 0 frames
        EXPECT_EQ(plugin.run(in, block), expected) << block;
        double reduction = 0.0;
        vellaCorEffect e;
        e.setSampleRate(48000.0);
        float* i[2] = {const_cast<float*>(in[0].data()), const_cast<float*>(in[1].data())};
        std::vector<float> l(in[0].size()), r(in[0].size());
        float* o[2] = {l.data(), r.data()};
        e.process(i, o, int32_t(l.size()));
        e.getParameter(13, &reduction);
        EXPECT_EQ(plugin.get("gain_reduction"), float(reduction)) << block;
    }
}

TEST_F(Lv2Plugin, PortChangeTakesEffectFromTheNextRun)
{
    const std::vector<std::vector<float>> in = {testSignal(9600, 5)};
    Lv2Instance plugin(world, world.plugin(kUris[0]), 48000.0);
    const std::vector<std::vector<float>> first = {{in[0].begin(), in[0].begin() + 4800}};
    const std::vector<std::vector<float>> second = {{in[0].begin() + 4800, in[0].end()}};
    const auto a = plugin.run(first, 4800);
    plugin.set("ratio", 6);
    plugin.set("output", 0);
    const auto b = plugin.run(second, 4800);

    vellaCorEffect e;
    e.setSampleRate(48000.0);
    std::vector<float> out(9600);
    float* i1[2] = {const_cast<float*>(in[0].data()), nullptr};
    float* o1[2] = {out.data(), nullptr};
    e.process(i1, o1, 4800);
    e.setParameter(2, 1.0);
    e.setParameter(6, 0.0);
    float* i2[2] = {const_cast<float*>(in[0].data()) + 4800, nullptr};
    float* o2[2] = {out.data() + 4800, nullptr};
    e.process(i2, o2, 4800);
    EXPECT_EQ(a[0], std::vector<float>(out.begin(), out.begin() + 4800));
    EXPECT_EQ(b[0], std::vector<float>(out.begin() + 4800, out.end()));
}

TEST_F(Lv2Plugin, DisabledPassesAudioThrough)
{
    const std::vector<std::vector<float>> in = {testSignal(4800, 6), testSignal(4800, 7)};
    Lv2Instance plugin(world, world.plugin(kUris[1]), 48000.0);
    plugin.set("enabled", 0);
    EXPECT_EQ(plugin.run(in, 256), in);
    EXPECT_LT(plugin.get("gain_reduction"), 1e-4f);
}

TEST_F(Lv2Plugin, OutOfRangeAndNaNPortValuesAreClamped)
{
    const std::vector<std::vector<float>> in = {testSignal(9600, 8)};
    Lv2Instance plugin(world, world.plugin(kUris[0]), 48000.0);
    plugin.set("ratio", std::numeric_limits<float>::quiet_NaN()); // default "3:1"
    plugin.set("output", 99.0f);                                   // 30 dB
    plugin.set("time", -4.0f);                                     // 0.00
    plugin.set("attack_ratio", 2.4f);                              // nearest step "x0.6"
    const auto out = plugin.run(in, 512);
    EXPECT_EQ(out[0], engineRender({{2, 0.5}, {6, 1.0}, {4, 0.0}, {3, 2.0 / 6.0}}, in)[0]);
}

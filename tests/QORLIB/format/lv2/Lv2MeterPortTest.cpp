// The meter as hosts read it: the 0..1 port, the dB port beside it, and the mono and stereo
// detectors on the same material.
#include "QORLIB/format/lv2/Qor_LV2_Ports.h"
#include "tests/QORLIB/format/lv2/Lv2Host.h"
#include "vellaCor/vellaCorIdentity.h"

#include <lv2/units/units.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using qortest::Lv2Instance;
using qortest::Lv2World;

namespace
{
std::vector<float> sine(double amplitude, double seconds, double rate)
{
    std::vector<float> s(size_t(seconds * rate));
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = float(amplitude * std::sin(2.0 * 3.141592653589793 * 1000.0 * double(i) / rate));
    return s;
}

struct Reading
{
    float meter, db;
};

// Three seconds of a 1 kHz sine at 44100 Hz with the port defaults (the parameter defaults), in
// mono or on both channels of the stereo plug-in.
Reading readAfterSine(const Lv2World& world, bool stereo, double amplitude)
{
    Lv2Instance plugin(world, world.plugin(stereo ? vellaCorIdentity::kLv2UriStereo : vellaCorIdentity::kLv2UriMono),
                       44100.0);
    std::vector<std::vector<float>> in = {sine(amplitude, 3.0, 44100.0)};
    if (stereo)
        in.push_back(in[0]);
    plugin.run(in, 512);
    return {plugin.get("gain_reduction"), plugin.get("gain_reduction_db")};
}
} // namespace

TEST(Lv2MeterPort, DbValueIsTheGainChangeOfTheMeterValueWithAFloor)
{
    using Qor_LV2::gainReductionDb;
    EXPECT_EQ(gainReductionDb(0.0), 0.0f);
    EXPECT_NEAR(gainReductionDb(0.5), -6.0206f, 1e-4f); // a steady gain of 0.5
    EXPECT_NEAR(gainReductionDb(0.9), -20.0f, 1e-4f);
    EXPECT_NEAR(gainReductionDb(0.99), -40.0f, 1e-3f); // about the deepest the curves go
    EXPECT_NEAR(gainReductionDb(0.1), -0.9151f, 1e-4f);
    EXPECT_EQ(gainReductionDb(0.9995), -60.0f); // below the floor
    EXPECT_EQ(gainReductionDb(1.0), -60.0f);    // log of zero
    EXPECT_EQ(gainReductionDb(std::numeric_limits<double>::quiet_NaN()), -60.0f);
    EXPECT_EQ(gainReductionDb(-1e-9), 0.0f); // never a boost
}

TEST(Lv2MeterPort, DbPortComesAfterTheAudioPortsInDecibels)
{
    Lv2World world;
    LilvNode* unitProp = world.uri(LV2_UNITS__unit);
    LilvNode* db = world.uri(LV2_UNITS__db);
    LilvNode* output = world.uri(LV2_CORE__OutputPort);
    LilvNode* control = world.uri(LV2_CORE__ControlPort);
    for (bool stereo : {false, true})
    {
        const LilvPlugin* p = world.plugin(stereo ? vellaCorIdentity::kLv2UriStereo : vellaCorIdentity::kLv2UriMono);
        ASSERT_NE(p, nullptr);
        // 7 controls, enabled, gain_reduction, 2 or 4 audio ports: the new port is the last.
        EXPECT_EQ(lilv_plugin_get_num_ports(p), stereo ? 14u : 12u);
        const LilvPort* port = lilv_plugin_get_port_by_index(p, stereo ? 13 : 11);
        ASSERT_NE(port, nullptr);
        EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(p, port)), "gain_reduction_db");
        EXPECT_TRUE(lilv_port_is_a(p, port, output));
        EXPECT_TRUE(lilv_port_is_a(p, port, control));
        LilvNodes* units = lilv_port_get_value(p, port, unitProp);
        EXPECT_TRUE(units != nullptr && lilv_nodes_contains(units, db));
        lilv_nodes_free(units);
        LilvNode *min = nullptr, *max = nullptr;
        lilv_port_get_range(p, port, nullptr, &min, &max);
        ASSERT_TRUE(min != nullptr && max != nullptr);
        EXPECT_EQ(lilv_node_as_float(min), -60.0f);
        EXPECT_EQ(lilv_node_as_float(max), 0.0f);
        lilv_node_free(min);
        lilv_node_free(max);
        // The 0..1 port keeps its index, so that saved sessions find it where they left it.
        EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(p, lilv_plugin_get_port_by_index(p, 8))),
                     "gain_reduction");
    }
    for (LilvNode* n : {unitProp, db, output, control})
        lilv_node_free(n);
}

// The stereo detector works on the power of the linked channels, the mono one on the magnitude:
// quiet material compresses less in stereo, loud material much more. The README quotes these.
TEST(Lv2MeterPort, MonoAndStereoReadTheSameSineDifferently)
{
    struct Expected
    {
        double amplitude, mono, stereo;
    };
    const Expected figures[] = {{0.01, 0.053, 0.014}, {0.1, 0.229, 0.256}, {0.5, 0.457, 0.687}};
    Lv2World world;
    for (const Expected& f : figures)
    {
        SCOPED_TRACE(f.amplitude);
        for (bool stereo : {false, true})
        {
            const double expected = stereo ? f.stereo : f.mono;
            const Reading r = readAfterSine(world, stereo, f.amplitude);
            EXPECT_NEAR(r.meter, expected, 0.002) << (stereo ? "stereo" : "mono");
            // dB of the same reading, and of the expected figure within what 0.002 of meter moves it
            EXPECT_NEAR(r.db, 20.0 * std::log10(1.0 - double(r.meter)), 1e-4);
            EXPECT_NEAR(r.db, 20.0 * std::log10(1.0 - expected), 0.06);
        }
    }
}

TEST(Lv2MeterPort, DbPortFallsBackToZeroWhenDisabled)
{
    Lv2World world;
    Lv2Instance plugin(world, world.plugin(vellaCorIdentity::kLv2UriStereo), 44100.0);
    const std::vector<float> loud = sine(0.5, 1.0, 44100.0);
    plugin.run({loud, loud}, 1024);
    EXPECT_LT(plugin.get("gain_reduction_db"), -3.0f);
    plugin.set("enabled", 0.0f);
    plugin.run({loud, loud}, 1024); // the meter glides back at its own speed, then reads none
    plugin.run({sine(0.5, 3.0, 44100.0), sine(0.5, 3.0, 44100.0)}, 1024);
    EXPECT_GT(plugin.get("gain_reduction_db"), -0.01f);
    EXPECT_LE(plugin.get("gain_reduction_db"), 0.0f);
}

// Stepped ports as hosts list them: one distinct, reachable entry per step.
#include "tests/QORLIB/format/lv2/Lv2Host.h"
#include "vellaCor/vellaCorIdentity.h"
#include "vellaCor/vellaCorParameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

using qortest::Lv2Instance;
using qortest::Lv2World;

namespace
{
const char* const kUris[2] = {vellaCorIdentity::kLv2UriMono, vellaCorIdentity::kLv2UriStereo};

// Scale points of a port by value.
std::map<float, std::string> scalePoints(const LilvPlugin* p, const char* symbol, const Lv2World& world)
{
    LilvNode* sym = lilv_new_string(world.world(), symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(p, sym);
    lilv_node_free(sym);
    std::map<float, std::string> found;
    if (port == nullptr)
        return found;
    LilvScalePoints* points = lilv_port_get_scale_points(p, port);
    LILV_FOREACH(scale_points, it, points)
    {
        const LilvScalePoint* sp = lilv_scale_points_get(points, it);
        found[lilv_node_as_float(lilv_scale_point_get_value(sp))] = lilv_node_as_string(lilv_scale_point_get_label(sp));
    }
    lilv_scale_points_free(points);
    return found;
}

// RMS of the first 10 ms of a 0.5 sine burst after 100 ms of silence, at 48 kHz.
double onsetLevel(const Lv2World& world, float attackRatio)
{
    const double rate = 48000.0;
    std::vector<float> s(size_t(0.2 * rate));
    for (size_t i = size_t(0.1 * rate); i < s.size(); ++i)
        s[i] = float(0.5 * std::sin(2.0 * 3.141592653589793 * 1000.0 * double(i) / rate));
    Lv2Instance plugin(world, world.plugin(kUris[0]), rate);
    plugin.set("attack_ratio", attackRatio);
    const auto out = plugin.run({s}, 256);
    double energy = 0.0;
    const size_t from = size_t(0.1 * rate), to = from + size_t(0.01 * rate);
    for (size_t i = from; i < to; ++i)
        energy += double(out[0][i]) * double(out[0][i]);
    return std::sqrt(energy / double(to - from));
}
} // namespace

// Ardour keys a port's scale points by label, comparing the numbers in them only up to the end of
// the shorter label: "x1" and "x1.6" were one entry, and one of the two steps could not be chosen.
TEST(Lv2ScalePoint, EveryStepIsADistinctLabelThatNoOtherLabelStartsWith)
{
    Lv2World world;
    const std::map<std::string, size_t> steps = {{"process", 3}, {"ratio", 7}, {"attack_ratio", 7}, {"valve_level", 7}};
    for (const char* uri : kUris)
    {
        const LilvPlugin* p = world.plugin(uri);
        ASSERT_NE(p, nullptr);
        for (const auto& [symbol, count] : steps)
        {
            SCOPED_TRACE(symbol);
            const auto points = scalePoints(p, symbol.c_str(), world);
            ASSERT_EQ(points.size(), count);
            std::set<std::string> labels;
            float expectedValue = 0.0f;
            for (const auto& [value, label] : points)
            {
                EXPECT_EQ(value, expectedValue++); // the integers 0 .. count - 1
                EXPECT_TRUE(labels.insert(label).second) << label;
            }
            for (const std::string& a : labels)
                for (const std::string& b : labels)
                    EXPECT_TRUE(a == b || b.rfind(a, 0) != 0) << '"' << a << "\" starts \"" << b << '"';
        }
    }
}

TEST(Lv2ScalePoint, AttackRatioLabelsReadAsTheirFactorsWhileTheEditorKeepsItsTexts)
{
    Lv2World world;
    const double factors[7] = {0.25, 0.4, 0.6, 1.0, 1.6, 2.5, 4.0};
    for (const char* uri : kUris)
    {
        const auto points = scalePoints(world.plugin(uri), "attack_ratio", world);
        ASSERT_EQ(points.size(), 7u);
        for (const auto& [value, label] : points)
        {
            ASSERT_EQ(label.front(), 'x');
            char* end = nullptr;
            EXPECT_EQ(std::strtod(label.c_str() + 1, &end), factors[int(value)]) << label;
            EXPECT_EQ(*end, '\0') << label;
        }
    }
    // Only the LV2 label of the whole step is written out with ".0".
    EXPECT_STREQ(vellaCorParameters::getParameterStepText(vellaCorParameters::kAttackRatio, 3), "x1");
    EXPECT_STREQ(vellaCorParameters::getParameterStepText(vellaCorParameters::kAttackRatio, 4), "x1.6");
}

TEST(Lv2ScalePoint, EachAttackRatioEntryReachesItsOwnDetector)
{
    // A larger factor lengthens the attack, so more of a burst's onset passes before the gain drops:
    // seven entries, seven strictly rising onset levels.
    Lv2World world;
    const auto points = scalePoints(world.plugin(kUris[0]), "attack_ratio", world);
    ASSERT_EQ(points.size(), 7u);
    std::map<double, double> levelByFactor;
    for (const auto& [value, label] : points)
        levelByFactor[std::strtod(label.c_str() + 1, nullptr)] = onsetLevel(world, value);
    ASSERT_EQ(levelByFactor.size(), 7u);
    double previous = 0.0;
    for (const auto& [factor, level] : levelByFactor)
    {
        EXPECT_GT(level, previous * 1.02) << "x" << factor;
        previous = level;
    }
    // Uncompressed, the onset would leave at 0.5 / sqrt(2) raised by the default +4.5 dB output: 0.594.
    EXPECT_LT(levelByFactor.rbegin()->second, 0.5 / std::sqrt(2.0) * std::pow(10.0, 4.5 / 20.0));
}

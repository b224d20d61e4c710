// The CLAP plug-ins as a host sees them: descriptor, ports, parameters and their texts, audio
// compared with our processor, events, bypass, the meter and the real-time rule.
#include "tests/QORLIB/format/dpf/ClapHost.h"
#include "tests/support/AllocationCounter.h"
#include "vellaCor/vellaCorEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using qortest::ClapInstance;
using qortest::ClapModule;

const std::string kStereo = QOR_DPF_CLAP_DIR "/qor-vellacor-stereo.clap";
const std::string kMono = QOR_DPF_CLAP_DIR "/qor-vellacor-mono.clap";
constexpr const char* kStereoId = "com.qor-werk.vellacor.stereo";
constexpr const char* kMonoId = "com.qor-werk.vellacor.mono";

// Host ids: process, ratio, attack, time, compression, output, valve, bypass, meter.
enum : clap_id { kProcess, kRatio, kAttack, kTime, kCompression, kOutput, kValve, kBypass, kMeter };

std::vector<float> tone(double rate, std::size_t n, double amplitude, double hz = 441.0)
{
    std::vector<float> s(n);
    for (std::size_t i = 0; i < n; ++i)
        s[i] = float(amplitude * std::sin(2.0 * M_PI * hz * double(i) / rate));
    return s;
}

bool hasFeature(const clap_plugin_descriptor_t* d, const char* feature)
{
    for (const char* const* f = d->features; f && *f; ++f)
        if (std::strcmp(*f, feature) == 0)
            return true;
    return false;
}
} // namespace

TEST(ClapPlugin, DescriptorsNameBothLayoutsAsCompressorEffects)
{
    for (const auto& [path, id, name, channels] :
         {std::tuple{kStereo, kStereoId, "Qor vellaCor Stereo", 2u}, std::tuple{kMono, kMonoId, "Qor vellaCor Mono", 1u}})
    {
        ClapModule module(path);
        ASSERT_TRUE(module.ok()) << module.error();
        ASSERT_EQ(module.factory()->get_plugin_count(module.factory()), 1u);
        const clap_plugin_descriptor_t* d = module.factory()->get_plugin_descriptor(module.factory(), 0);
        EXPECT_STREQ(d->id, id);
        EXPECT_STREQ(d->name, name);
        EXPECT_STREQ(d->vendor, "Qorwerk");
        EXPECT_TRUE(hasFeature(d, CLAP_PLUGIN_FEATURE_AUDIO_EFFECT));
        EXPECT_TRUE(hasFeature(d, CLAP_PLUGIN_FEATURE_COMPRESSOR));
        EXPECT_TRUE(hasFeature(d, channels == 2 ? "stereo" : "mono"));

        ClapInstance plugin(module, id);
        ASSERT_TRUE(plugin.ok());
        auto* ports = plugin.extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
        ASSERT_NE(ports, nullptr);
        for (bool input : {true, false})
        {
            ASSERT_EQ(ports->count(plugin.plugin(), input), 1u);
            clap_audio_port_info_t info{};
            ASSERT_TRUE(ports->get(plugin.plugin(), 0, input, &info));
            EXPECT_EQ(info.channel_count, channels);
        }
        // No latency to report.
        auto* latency = plugin.extension<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
        if (latency != nullptr)
        {
            EXPECT_EQ(latency->get(plugin.plugin()), 0u);
        }
    }
    ClapModule module(kStereo);
    EXPECT_EQ(module.factory()->create_plugin(module.factory(), nullptr, "com.other.plugin"), nullptr);
}

TEST(ClapPlugin, ParametersHaveTheirRangesStepsAndTheDisplaysTexts)
{
    ClapModule module(kStereo);
    ASSERT_TRUE(module.ok()) << module.error();
    ClapInstance plugin(module, kStereoId);
    auto* params = plugin.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    ASSERT_NE(params, nullptr);
    ASSERT_EQ(params->count(plugin.plugin()), 9u);

    struct Expected
    {
        double min, max;
        bool stepped;
    };
    const Expected expected[] = {{0, 2, true},   {0, 6, true},   {0, 6, true}, {0, 10, false}, {0, 10, false},
                                 {0, 30, false}, {0, 6, true},   {0, 1, true}, {0, 1, false}};
    for (clap_id i = 0; i < 9; ++i)
    {
        clap_param_info_t info{};
        ASSERT_TRUE(params->get_info(plugin.plugin(), i, &info));
        EXPECT_EQ(info.id, i);
        EXPECT_EQ(info.min_value, expected[i].min) << info.name;
        EXPECT_EQ(info.max_value, expected[i].max) << info.name;
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, expected[i].stepped) << info.name;
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_AUTOMATABLE) != 0, i != kMeter) << info.name;
    }
    clap_param_info_t info{};
    params->get_info(plugin.plugin(), kBypass, &info);
    EXPECT_NE(info.flags & CLAP_PARAM_IS_BYPASS, 0u);
    params->get_info(plugin.plugin(), kMeter, &info);
    EXPECT_NE(info.flags & CLAP_PARAM_IS_READONLY, 0u);
    EXPECT_STREQ(info.name, "Gain Reduction");
    params->get_info(plugin.plugin(), kRatio, &info);
    EXPECT_STREQ(info.name, "Ratio");
    // A fresh instance stands on the first factory preset ("Default": ratio 3:1, output 4.5 dB).
    EXPECT_EQ(plugin.text(kRatio, plugin.value(kRatio)), "3:1");
    EXPECT_EQ(plugin.text(kOutput, plugin.value(kOutput)), "4.5 dB");

    // The texts a generic control and an automation lane show.
    EXPECT_EQ(plugin.text(kProcess, 0), "Off");
    EXPECT_EQ(plugin.text(kProcess, 2), "Valve");
    EXPECT_EQ(plugin.text(kRatio, 0), "1.2:1");
    EXPECT_EQ(plugin.text(kRatio, 4), "4:1");
    EXPECT_EQ(plugin.text(kRatio, 6), "10:1");
    EXPECT_EQ(plugin.text(kAttack, 5), "x2.5");
    EXPECT_EQ(plugin.text(kValve, 5), "+2");
    EXPECT_EQ(plugin.text(kValve, 0), "-3");
    EXPECT_EQ(plugin.text(kOutput, 4.5), "4.5 dB");
    EXPECT_EQ(plugin.text(kOutput, 4.6), "4.5 dB");  // the display's half-dB steps
    EXPECT_EQ(plugin.text(kOutput, 30), "30.0 dB");
    EXPECT_EQ(plugin.text(kTime, 5.5), "5.50");
    EXPECT_EQ(plugin.text(kCompression, 2.5), "2.50");
    EXPECT_EQ(plugin.text(kCompression, 2.4), "2.50"); // quarter steps
    EXPECT_EQ(plugin.text(kBypass, 1), "On");
    EXPECT_EQ(plugin.text(kMeter, 0), "0.0 dB");
    EXPECT_EQ(plugin.text(kMeter, 0.5), "-6.0 dB"); // half the gain: 20·log10(0.5)
    EXPECT_EQ(plugin.text(99, 0), "<none>");

    // Typed texts back to values.
    double v = -1;
    ASSERT_TRUE(params->text_to_value(plugin.plugin(), kRatio, "4:1", &v));
    EXPECT_EQ(v, 4.0);
    ASSERT_TRUE(params->text_to_value(plugin.plugin(), kAttack, "x2.5", &v));
    EXPECT_EQ(v, 5.0);
    ASSERT_TRUE(params->text_to_value(plugin.plugin(), kRatio, "3.5", &v));
    EXPECT_EQ(v, 3.0); // nearest ratio: 3:1
    ASSERT_TRUE(params->text_to_value(plugin.plugin(), kOutput, "12.5 dB", &v));
    EXPECT_EQ(v, 12.5);
    ASSERT_TRUE(params->text_to_value(plugin.plugin(), kOutput, "99", &v));
    EXPECT_EQ(v, 30.0);
    EXPECT_FALSE(params->text_to_value(plugin.plugin(), kTime, "fast", &v));
    EXPECT_FALSE(params->text_to_value(plugin.plugin(), kMeter, "-3", &v));
}

TEST(ClapPlugin, ProcessesATonePerSampleLikeOurProcessorAtEveryRateAndOddBlockSizes)
{
    ClapModule module(kStereo);
    ASSERT_TRUE(module.ok()) << module.error();
    // Ratio 6:1, attack x1, time 3, compression 7.5, output 6 dB, valve 0: plain values and
    // the normalised ones our processor takes.
    const std::vector<std::pair<clap_id, double>> settings = {{kProcess, 1}, {kRatio, 5},         {kAttack, 3},
                                                              {kTime, 3},    {kCompression, 7.5}, {kOutput, 6},
                                                              {kValve, 3}};
    const std::pair<uint32_t, double> normalised[] = {{0, 0.5},  {2, 5.0 / 6}, {3, 0.5},   {4, 0.3},
                                                      {5, 0.75}, {6, 0.2},     {7, 0.5}};
    const uint32_t blocks[] = {1, 17, 511, 1023, 64, 333};
    for (double rate : {44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0})
    {
        SCOPED_TRACE(rate);
        const std::size_t n = std::size_t(rate / 10);
        const std::vector<float> left = tone(rate, n, 0.7), right = tone(rate, n, 0.35, 1000.0);

        vellaCorEffect reference;
        reference.setSampleRate(rate);
        for (const auto& [index, value] : normalised)
            reference.setParameter(index, value);
        reference.reset();
        std::vector<float> refL(n), refR(n);
        float* rin[2] = {const_cast<float*>(left.data()), const_cast<float*>(right.data())};
        float* rout[2] = {refL.data(), refR.data()};
        reference.process(rin, rout, int32_t(n));

        ClapInstance plugin(module, kStereoId);
        ASSERT_TRUE(plugin.activate(rate, 1023));
        std::vector<float> outL, outR;
        std::size_t at = 0;
        for (std::size_t b = 0; at < n; ++b)
        {
            const uint32_t frames = uint32_t(std::min<std::size_t>(blocks[b % 6], n - at));
            std::vector<std::vector<float>> in = {{left.begin() + long(at), left.begin() + long(at + frames)},
                                                  {right.begin() + long(at), right.begin() + long(at + frames)}};
            std::vector<std::vector<float>> out(2, std::vector<float>(frames));
            ASSERT_TRUE(plugin.process(in, out, frames, b == 0 ? settings : std::vector<std::pair<clap_id, double>>{}));
            outL.insert(outL.end(), out[0].begin(), out[0].end());
            outR.insert(outR.end(), out[1].begin(), out[1].end());
            at += frames;
        }
        double worst = 0.0, changed = 0.0;
        for (std::size_t i = 0; i < n; ++i)
        {
            worst = std::max({worst, double(std::fabs(outL[i] - refL[i])), double(std::fabs(outR[i] - refR[i]))});
            changed = std::max(changed, double(std::fabs(outL[i] - left[i])));
        }
        EXPECT_LT(worst, 1e-6) << "the plug-in's output is our processor's";
        EXPECT_GT(changed, 0.05) << "the tone was compressed, not passed through";
        EXPECT_GT(plugin.value(kMeter), 0.05) << "the meter shows the reduction";
        EXPECT_EQ(plugin.value(kRatio), 5.0);
    }
}

TEST(ClapPlugin, SteppedParametersStayOnStepsAndBypassPassesTheInput)
{
    ClapModule module(kMono);
    ASSERT_TRUE(module.ok()) << module.error();
    ClapInstance plugin(module, kMonoId);
    ASSERT_TRUE(plugin.activate(48000, 512));
    std::vector<std::vector<float>> in = {tone(48000, 512, 0.8)}, out(1, std::vector<float>(512));
    ASSERT_TRUE(plugin.process(in, out, 512, {{kRatio, 3.7}, {kValve, 0.2}, {kTime, 3.33}, {kOutput, 45}}));
    EXPECT_EQ(plugin.value(kRatio), 4.0);
    EXPECT_EQ(plugin.value(kValve), 0.0);
    EXPECT_FLOAT_EQ(float(plugin.value(kTime)), 3.33f);
    EXPECT_EQ(plugin.value(kOutput), 30.0); // clamped to the range

    ASSERT_TRUE(plugin.process(in, out, 512, {{kBypass, 1}}));
    for (std::size_t i = 0; i < 512; ++i)
        ASSERT_EQ(out[0][i], in[0][i]) << i;
    ASSERT_TRUE(plugin.process(in, out, 512, {{kBypass, 0}}));
    double difference = 0.0;
    for (std::size_t i = 0; i < 512; ++i)
        difference = std::max(difference, double(std::fabs(out[0][i] - in[0][i])));
    EXPECT_GT(difference, 0.01);
}

TEST(ClapPlugin, ProcessingAllocatesNothingWhileParametersChange)
{
    ClapModule module(kStereo);
    ASSERT_TRUE(module.ok()) << module.error();
    ClapInstance plugin(module, kStereoId);
    ASSERT_TRUE(plugin.activate(96000, 2048));
    std::vector<std::vector<float>> in = {tone(96000, 2048, 0.9), tone(96000, 2048, 0.5)};
    std::vector<std::vector<float>> out(2, std::vector<float>(2048));
    std::vector<std::pair<clap_id, double>> events = {{kRatio, 0}, {kCompression, 0}, {kBypass, 0}};
    plugin.process(in, out, 2048, events); // the first block may set things up
    qortest::AllocationScope scope;
    for (int k = 0; k < 20; ++k)
    {
        events[0].second = k % 7;
        events[1].second = k % 10;
        events[2].second = k % 2;
        plugin.process(in, out, 2048, events);
        plugin.process(in, out, 0);
    }
    EXPECT_EQ(scope.allocations(), 0u);
}

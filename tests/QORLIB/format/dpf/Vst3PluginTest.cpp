// The VST3 plug-ins as a host sees them: class, buses, parameters and their texts, audio compared
// with our processor, bypass, the meter and the saved state.
#include "QORLIB/format/dpf/Qor_DPF_State.h"
#include "tests/QORLIB/format/dpf/PresetFixture.h"
#include "tests/QORLIB/format/dpf/Vst3Host.h"
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

#include "extra/Base64.hpp"
#include "extra/String.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace
{
using qortest::Vst3Instance;
using qortest::Vst3Module;

const std::string kStereo = QOR_DPF_VST3_DIR "/qor-vellacor-stereo.vst3";
const std::string kMono = QOR_DPF_VST3_DIR "/qor-vellacor-mono.vst3";

constexpr int32_t kCanAutomate = 1 << 0, kReadOnly = 1 << 1, kIsBypass = 1 << 16;

// Parameter ids by title.
std::map<std::string, v3_param_info> parameters(const Vst3Instance& plugin)
{
    std::map<std::string, v3_param_info> all;
    const int32_t n = plugin.controller()->ctrl.get_parameter_count(plugin.controllerObject());
    for (int32_t i = 0; i < n; ++i)
    {
        v3_param_info info{};
        plugin.controller()->ctrl.get_parameter_info(plugin.controllerObject(), i, &info);
        all[qortest::utf8(info.title)] = info;
    }
    return all;
}

std::vector<float> tone(double rate, std::size_t n, double amplitude, double hz = 441.0)
{
    std::vector<float> s(n);
    for (std::size_t i = 0; i < n; ++i)
        s[i] = float(amplitude * std::sin(2.0 * M_PI * hz * double(i) / rate));
    return s;
}
} // namespace

TEST(Vst3Plugin, BothLayoutsLoadAsEffectsWithTheirBuses)
{
    for (const auto& [path, name, channels] :
         {std::tuple{kStereo, "Qor vellaCor Stereo", 2}, std::tuple{kMono, "Qor vellaCor Mono", 1}})
    {
        Vst3Module module(path);
        ASSERT_TRUE(module.ok()) << module.error();
        v3_class_info info{};
        ASSERT_TRUE(module.findEffect(info));
        EXPECT_STREQ(info.name, name);
        Vst3Instance plugin(module);
        ASSERT_TRUE(plugin.ok());
        for (int32_t direction : {V3_INPUT, V3_OUTPUT})
        {
            ASSERT_EQ(plugin.component()->comp.get_bus_count(plugin.componentObject(), V3_AUDIO, direction), 1);
            v3_bus_info bus{};
            plugin.component()->comp.get_bus_info(plugin.componentObject(), V3_AUDIO, direction, 0, &bus);
            EXPECT_EQ(bus.channel_count, channels);
        }
    }
}

TEST(Vst3Plugin, ParametersHaveStepsTextsABypassAndAReadOnlyMeter)
{
    Vst3Module module(kStereo);
    ASSERT_TRUE(module.ok()) << module.error();
    Vst3Instance plugin(module);
    ASSERT_TRUE(plugin.ok());
    auto all = parameters(plugin);
    for (const char* title : {"Process", "Ratio", "Attack Ratio", "Time", "Compression", "Output", "Valve Level",
                              "Bypass", "Gain Reduction"})
        ASSERT_EQ(all.count(title), 1u) << title;
    EXPECT_EQ(all["Ratio"].step_count, 6);
    EXPECT_EQ(all["Process"].step_count, 2);
    EXPECT_EQ(all["Time"].step_count, 0);
    EXPECT_EQ(qortest::utf8(all["Output"].units), "dB");
    EXPECT_NE(all["Bypass"].flags & kIsBypass, 0);
    EXPECT_NE(all["Gain Reduction"].flags & kReadOnly, 0);
    EXPECT_EQ(all["Ratio"].flags & kReadOnly, 0);
    EXPECT_NE(all["Ratio"].flags & kCanAutomate, 0);
    // Defaults: the first factory preset (ratio 3:1 is step 3 of 6, output 4.5 of 30 dB).
    EXPECT_DOUBLE_EQ(all["Ratio"].default_normalised_value, 0.5);
    EXPECT_NEAR(all["Output"].default_normalised_value, 0.15, 1e-6);

    const v3_param_id ratio = all["Ratio"].param_id, attack = all["Attack Ratio"].param_id,
                      valve = all["Valve Level"].param_id, output = all["Output"].param_id,
                      time = all["Time"].param_id, meter = all["Gain Reduction"].param_id;
    EXPECT_EQ(plugin.text(ratio, 4.0 / 6), "4:1");
    EXPECT_EQ(plugin.text(attack, 5.0 / 6), "x2.5");
    EXPECT_EQ(plugin.text(valve, 5.0 / 6), "+2");
    EXPECT_EQ(plugin.text(output, 0.15), "4.5 dB");
    EXPECT_EQ(plugin.text(time, 0.55), "5.50");
    EXPECT_EQ(plugin.text(meter, 0.5), "-6.0 dB");
    // The program list is DPF's own parameter; its texts are the factory presets' names.
    ASSERT_EQ(all.count("Current Program"), 1u);
    EXPECT_EQ(plugin.text(all["Current Program"].param_id, 5.0 / 31), "CompressHeavy1");

    int16_t typed[16] = {};
    const char* text = "x0.6";
    for (int i = 0; text[i]; ++i)
        typed[i] = text[i];
    double v = -1;
    ASSERT_EQ(plugin.controller()->ctrl.get_parameter_value_for_string(plugin.controllerObject(), attack, typed, &v), V3_OK);
    EXPECT_DOUBLE_EQ(v, 2.0 / 6);
}

TEST(Vst3Plugin, ProcessesLikeOurProcessorAndBypasses)
{
    Vst3Module module(kStereo);
    ASSERT_TRUE(module.ok()) << module.error();
    for (double rate : {44100.0, 192000.0})
    {
        Vst3Instance plugin(module);
        ASSERT_TRUE(plugin.ok());
        auto all = parameters(plugin);
        // Ratio 10:1, compression 6, output 3 dB.
        const std::vector<std::pair<v3_param_id, double>> settings = {
            {all["Ratio"].param_id, 1.0}, {all["Compression"].param_id, 0.6}, {all["Output"].param_id, 0.1}};
        vellaCorEffect reference;
        reference.setSampleRate(rate);
        double defaults[7];
        const uint32_t index[] = {0, 2, 3, 4, 5, 6, 7};
        const char* titles[] = {"Process", "Ratio", "Attack Ratio", "Time", "Compression", "Output", "Valve Level"};
        for (int i = 0; i < 7; ++i)
            defaults[i] = all[titles[i]].default_normalised_value;
        defaults[1] = 1.0, defaults[4] = 0.6, defaults[5] = 0.1;
        for (int i = 0; i < 7; ++i)
            reference.setParameter(index[i], defaults[i]);
        reference.reset();

        const std::size_t n = std::size_t(rate / 20);
        const std::vector<float> left = tone(rate, n, 0.8), right = tone(rate, n, 0.2, 3000.0);
        std::vector<float> refL(n), refR(n);
        float* rin[2] = {const_cast<float*>(left.data()), const_cast<float*>(right.data())};
        float* rout[2] = {refL.data(), refR.data()};
        reference.process(rin, rout, int32_t(n));

        ASSERT_TRUE(plugin.activate(rate, 777));
        double worst = 0.0;
        std::size_t at = 0;
        for (int b = 0; at < n; ++b)
        {
            const int32_t frames = int32_t(std::min<std::size_t>(b % 2 ? 777 : 13, n - at));
            std::vector<std::vector<float>> in = {{left.begin() + long(at), left.begin() + long(at) + frames},
                                                  {right.begin() + long(at), right.begin() + long(at) + frames}};
            std::vector<std::vector<float>> out(2, std::vector<float>(std::size_t(frames)));
            ASSERT_TRUE(plugin.process(in, out, frames, b == 0 ? settings : std::vector<std::pair<v3_param_id, double>>{}));
            for (int32_t i = 0; i < frames; ++i)
                worst = std::max({worst, double(std::fabs(out[0][std::size_t(i)] - refL[at + std::size_t(i)])),
                                  double(std::fabs(out[1][std::size_t(i)] - refR[at + std::size_t(i)]))});
            at += std::size_t(frames);
        }
        EXPECT_LT(worst, 1e-6) << rate;
        EXPECT_GT(plugin.outputValues[all["Gain Reduction"].param_id], 0.05) << "the meter reaches the host";

        std::vector<std::vector<float>> in = {tone(rate, 256, 0.8), tone(rate, 256, 0.3)};
        std::vector<std::vector<float>> out(2, std::vector<float>(256));
        ASSERT_TRUE(plugin.process(in, out, 256, {{all["Bypass"].param_id, 1.0}}));
        EXPECT_EQ(out, in) << "bypassed, the input passes unchanged";
    }
}

TEST(Vst3Plugin, SetupsNamesAndMarkSurviveSavingAndLoadingIntoAFreshInstance)
{
    Vst3Module module(kStereo);
    ASSERT_TRUE(module.ok()) << module.error();
    std::string state;
    {
        Vst3Instance first(module);
        ASSERT_TRUE(first.ok());
        const std::vector<uint8_t> bytes = first.saveState();
        state.assign(bytes.begin(), bytes.end());
    }
    // Our block follows its key and a separator, up to the next separator.
    const std::size_t key = state.find("presets");
    ASSERT_NE(key, std::string::npos);
    const std::size_t from = key + 8;
    const char separator = state[key + 7];
    const std::size_t to = state.find(separator, from);
    ASSERT_NE(to, std::string::npos);

    qortest::PresetFixture edited;
    edited.makeSetups();
    const std::vector<uint8_t> ours = Qor_DPF::State::save(*edited.manager);
    state = state.substr(0, from) + DISTRHO::String::asBase64(ours.data(), ours.size()).buffer() + state.substr(to);

    Vst3Instance second(module);
    ASSERT_TRUE(second.loadState(std::vector<uint8_t>(state.begin(), state.end())));
    const std::vector<uint8_t> saved = second.saveState();
    const std::string again(saved.begin(), saved.end());
    const std::size_t key2 = again.find("presets");
    ASSERT_NE(key2, std::string::npos);
    const std::size_t to2 = again.find(separator, key2 + 8);
    const std::vector<uint8_t> block = d_getChunkFromBase64String(again.substr(key2 + 8, to2 - key2 - 8).c_str());
    EXPECT_EQ(block, ours);
    qortest::PresetFixture reread;
    ASSERT_TRUE(Qor_DPF::State::restore(*reread.manager, block.data(), block.size()));
    EXPECT_STREQ(reread.manager->setupA().current.name, "CompressHeavy1");
    EXPECT_TRUE(reread.manager->setupA().modified);
    EXPECT_FALSE(reread.manager->setupAActive());
}

TEST(Vst3Plugin, AProgramChangeLoadsTheFactoryPresetsValues)
{
    Vst3Module module(kStereo);
    ASSERT_TRUE(module.ok()) << module.error();
    Vst3Instance plugin(module);
    ASSERT_TRUE(plugin.ok());
    auto all = parameters(plugin);
    // "CompressHeavy1", program 5 of 32, chosen in the host's program list.
    ASSERT_EQ(plugin.controller()->ctrl.set_parameter_normalised(plugin.controllerObject(),
                                                                 all["Current Program"].param_id, 5.0 / 31),
              V3_OK);
    double values[12] = {};
    vellaCorFactoryPresets::getFactoryPreset(5, values, nullptr, nullptr);
    const std::pair<const char*, uint32_t> stored[] = {{"Ratio", 2}, {"Attack Ratio", 3}, {"Time", 4},
                                                       {"Compression", 5}, {"Output", 6}};
    for (const auto& [title, index] : stored)
    {
        const double shown = plugin.controller()->ctrl.get_parameter_normalised(plugin.controllerObject(),
                                                                                all[title].param_id);
        const int32_t steps = vellaCorParameters::getParameterStepMax(index);
        const double expected = steps > 0 ? std::floor(values[index] * steps + 0.5) / steps : values[index];
        EXPECT_NEAR(shown, expected, 1e-6) << title;
    }
}

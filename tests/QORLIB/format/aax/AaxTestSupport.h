#pragma once

// Shared by the AAX suites: a started host on a module, instances, probes and signals.
#include "QORLIB/format/aax/host/AaxHost.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Context.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "tests/QORLIB/format/aax/ProbeProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

namespace aaxtest
{
inline constexpr const char* kTime = "4: Time";
inline constexpr const char* kRatio = "2: Ratio";
inline constexpr const char* kProcess = "0: Process";
inline constexpr AAX_CTypeID kAll = AAX_FourCC("All ");
inline constexpr AAX_CTypeID kElck = AAX_FourCC("elck");

#ifdef QOR_AAX_MODULE_PATH
// The module as built, loaded from its file.
inline std::unique_ptr<AaxModule> builtModule()
{
    std::string error;
    auto module = AaxModule::load(QOR_AAX_MODULE_PATH, error);
    if (module == nullptr)
        ADD_FAILURE() << error;
    return module;
}
#endif

// Started and registered.
inline std::unique_ptr<AaxHost> startedHost(std::unique_ptr<AaxModule> module)
{
    if (module == nullptr)
        return nullptr;
    auto host = std::make_unique<AaxHost>(std::move(module));
    EXPECT_EQ(host->startup(), 0);
    EXPECT_EQ(host->registerPlugin(), 0);
    return host;
}

inline std::unique_ptr<AaxInstance> makeInstance(AaxHost& host, uint32_t stem, bool withGUI = false)
{
    std::string error;
    auto instance = host.createInstance(stem, error, withGUI);
    if (instance == nullptr)
        ADD_FAILURE() << error;
    return instance;
}

// Replaces the instance's processor with a probe; the old one owns nothing outside the block.
inline ProbeProcessor& installProbe(AaxInstance& instance)
{
    static_assert(sizeof(ProbeProcessor) <= QorAAXContext::kProcessorSize, "the probe must fit the host's block");
    return *new (instance.context().privateData(QorAAXContext::kProcessor)) ProbeProcessor();
}

template <typename T> T& field(AaxInstance& instance, AAX_CFieldIndex index)
{
    return *static_cast<T*>(instance.context().privateData(index));
}

// Drum-like: a decaying noise burst every 100 ms.
inline std::vector<float> drums(int frames, double rate, unsigned seed, float level = 0.8f)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    std::vector<float> s(static_cast<std::size_t>(frames));
    const int period = int(rate * 0.1);
    for (int i = 0; i < frames; ++i)
        s[std::size_t(i)] = level * noise(rng) * float(std::exp(-double(i % period) / (rate * 0.015)));
    return s;
}

// Runs whole channels through the instance in blocks; returns the output channels.
inline std::vector<std::vector<float>> run(AaxInstance& instance, std::vector<std::vector<float>> in, int block)
{
    const std::size_t frames = in[0].size();
    std::vector<std::vector<float>> out(in.size(), std::vector<float>(frames));
    for (std::size_t pos = 0; pos < frames; pos += std::size_t(block))
    {
        const int32_t n = int32_t(std::min<std::size_t>(std::size_t(block), frames - pos));
        float* ins[2] = {};
        float* outs[2] = {};
        for (std::size_t ch = 0; ch < in.size(); ++ch)
        {
            ins[ch] = in[ch].data() + pos;
            outs[ch] = out[ch].data() + pos;
        }
        instance.process(ins, outs, n);
    }
    return out;
}

// One block of silence, so that packets and slots reach the processor.
inline void silentBlock(AaxInstance& instance, int32_t n = 64)
{
    const auto size = static_cast<std::size_t>(n);
    std::vector<float> l(size), r(size), ol(size), orr(size);
    float* ins[2] = {l.data(), r.data()};
    float* outs[2] = {ol.data(), orr.data()};
    instance.process(ins, outs, n);
}

inline std::vector<AaxAutomationEvent> eventsOf(const AaxInstance& instance, AaxAutomationEvent::Kind kind)
{
    std::vector<AaxAutomationEvent> out;
    for (const auto& e : const_cast<AaxInstance&>(instance).controller().log)
        if (e.kind == kind)
            out.push_back(e);
    return out;
}
} // namespace aaxtest

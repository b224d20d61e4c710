#include "bench/Lv2BenchHost.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/parameters/parameters.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <stdexcept>

namespace
{
constexpr size_t kAtomBytes = 8192;

double now()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

double reductionDb(float value, Lv2BenchHost::Meter kind)
{
    switch (kind)
    {
    case Lv2BenchHost::Meter::Fraction: return -20.0 * std::log10(std::max(1e-9, 1.0 - value));
    case Lv2BenchHost::Meter::Gain: return -20.0 * std::log10(std::max(1e-9, double(value)));
    case Lv2BenchHost::Meter::GainDb: return -value;
    default: return value;
    }
}
} // namespace

Lv2BenchHost::Lv2BenchHost(double rate, int blockLength) : rate_(rate), rateOption_(float(rate)), block_(blockLength), world_(lilv_world_new())
{
    lilv_world_load_all(world_);
    map_ = {this, &Lv2BenchHost::map};
    unmap_ = {this, &Lv2BenchHost::unmap};
}

Lv2BenchHost::~Lv2BenchHost()
{
    if (instance_ != nullptr)
    {
        lilv_instance_deactivate(instance_);
        lilv_instance_free(instance_);
    }
    lilv_world_free(world_);
}

LV2_URID Lv2BenchHost::map(LV2_URID_Map_Handle handle, const char* uri)
{
    auto& uris = static_cast<Lv2BenchHost*>(handle)->uris_;
    const auto it = std::find(uris.begin(), uris.end(), uri);
    if (it != uris.end())
        return LV2_URID(it - uris.begin() + 1);
    uris.emplace_back(uri);
    return LV2_URID(uris.size());
}

const char* Lv2BenchHost::unmap(LV2_URID_Unmap_Handle handle, LV2_URID urid)
{
    const auto& uris = static_cast<Lv2BenchHost*>(handle)->uris_;
    return urid >= 1 && urid <= uris.size() ? uris[urid - 1].c_str() : nullptr;
}

void Lv2BenchHost::loadBundle(const std::string& path)
{
    LilvNode* bundle = lilv_new_file_uri(world_, nullptr, (path + "/").c_str());
    lilv_world_load_bundle(world_, bundle);
    lilv_node_free(bundle);
}

void Lv2BenchHost::instantiate(const std::string& uri)
{
    LilvNode* node = lilv_new_uri(world_, uri.c_str());
    plugin_ = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), node);
    lilv_node_free(node);
    if (plugin_ == nullptr)
        throw std::runtime_error("no such plug-in: " + uri);

    const LV2_URID intType = map(this, LV2_ATOM__Int), floatType = map(this, LV2_ATOM__Float);
    options_ = {{LV2_OPTIONS_INSTANCE, 0, map(this, LV2_PARAMETERS__sampleRate), sizeof(float), floatType,
                 &rateOption_},
                {LV2_OPTIONS_INSTANCE, 0, map(this, LV2_BUF_SIZE__minBlockLength), sizeof(int32_t), intType, &block_},
                {LV2_OPTIONS_INSTANCE, 0, map(this, LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t), intType, &block_},
                {LV2_OPTIONS_INSTANCE, 0, map(this, LV2_BUF_SIZE__nominalBlockLength), sizeof(int32_t), intType,
                 &block_},
                {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    features_ = {{LV2_URID__map, &map_},
                 {LV2_URID__unmap, &unmap_},
                 {LV2_OPTIONS__options, options_.data()},
                 {LV2_BUF_SIZE__boundedBlockLength, nullptr}};
    std::vector<const LV2_Feature*> list;
    for (const LV2_Feature& f : features_)
        list.push_back(&f);
    list.push_back(nullptr);
    instance_ = lilv_plugin_instantiate(plugin_, rate_, list.data());
    if (instance_ == nullptr)
        throw std::runtime_error("the plug-in did not instantiate: " + uri);

    const uint32_t ports = lilv_plugin_get_num_ports(plugin_);
    controls_.assign(ports, 0.0f);
    symbols_.assign(ports, "");
    LilvNode* audio = lilv_new_uri(world_, LILV_URI_AUDIO_PORT);
    LilvNode* cv = lilv_new_uri(world_, LILV_URI_CV_PORT);
    LilvNode* atom = lilv_new_uri(world_, LV2_ATOM__AtomPort);
    LilvNode* input = lilv_new_uri(world_, LILV_URI_INPUT_PORT);
    for (uint32_t i = 0; i < ports; ++i)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin_, i);
        symbols_[i] = lilv_node_as_string(lilv_port_get_symbol(plugin_, port));
        const bool in = lilv_port_is_a(plugin_, port, input);
        if (lilv_port_is_a(plugin_, port, audio) || lilv_port_is_a(plugin_, port, cv))
            (in ? audioIn_ : audioOut_).push_back(i);
        else if (lilv_port_is_a(plugin_, port, atom))
            (in ? atomIn_ : atomOut_).push_back(i);
        else
        {
            LilvNode* def = nullptr;
            lilv_port_get_range(plugin_, port, &def, nullptr, nullptr);
            controls_[i] = def != nullptr ? lilv_node_as_float(def) : 0.0f;
            lilv_node_free(def);
            lilv_instance_connect_port(instance_, i, &controls_[i]);
        }
    }
    for (LilvNode* n : {audio, cv, atom, input})
        lilv_node_free(n);
    atoms_.assign(atomIn_.size() + atomOut_.size(), std::vector<uint64_t>(kAtomBytes / 8));
    for (size_t k = 0; k < atoms_.size(); ++k)
        lilv_instance_connect_port(instance_, k < atomIn_.size() ? atomIn_[k] : atomOut_[k - atomIn_.size()],
                                   atoms_[k].data());
    outputs_.assign(audioOut_.size(), std::vector<float>(size_t(block_)));
    for (size_t k = 0; k < audioOut_.size(); ++k)
        lilv_instance_connect_port(instance_, audioOut_[k], outputs_[k].data());
    resetAtoms();
    lilv_instance_activate(instance_);
}

void Lv2BenchHost::set(const std::string& symbol, float value)
{
    const auto it = std::find(symbols_.begin(), symbols_.end(), symbol);
    if (it == symbols_.end())
        throw std::runtime_error("no control port '" + symbol + "'");
    controls_[size_t(it - symbols_.begin())] = value;
}

void Lv2BenchHost::resetAtoms()
{
    // Inputs: an empty sequence; outputs: all of the buffer offered as space.
    const LV2_URID sequence = map(this, LV2_ATOM__Sequence), chunk = map(this, LV2_ATOM__Chunk);
    for (size_t k = 0; k < atoms_.size(); ++k)
    {
        auto* seq = reinterpret_cast<LV2_Atom_Sequence*>(atoms_[k].data());
        if (k < atomIn_.size())
        {
            seq->atom.size = sizeof(LV2_Atom_Sequence_Body);
            seq->atom.type = sequence;
            seq->body.unit = 0;
            seq->body.pad = 0;
        }
        else
        {
            seq->atom.size = uint32_t(kAtomBytes - sizeof(LV2_Atom));
            seq->atom.type = chunk;
        }
    }
}

double Lv2BenchHost::processPass(const std::vector<std::vector<float>>& channels, const float* meter, Meter kind,
                                 double* reduction)
{
    const size_t frames = channels.at(0).size() / size_t(block_) * size_t(block_);
    double sum = 0.0;
    size_t blocks = 0;
    const double start = now();
    for (size_t pos = 0; pos < frames; pos += size_t(block_))
    {
        for (size_t k = 0; k < audioIn_.size(); ++k)
        {
            const std::vector<float>& c = channels[k % channels.size()];
            lilv_instance_connect_port(instance_, audioIn_[k], const_cast<float*>(c.data()) + pos);
        }
        if (!atoms_.empty())
            resetAtoms();
        lilv_instance_run(instance_, uint32_t(block_));
        if (meter != nullptr)
            sum += reductionDb(*meter, kind), ++blocks;
    }
    const double elapsed = now() - start;
    if (reduction != nullptr)
        *reduction = blocks > 0 ? sum / double(blocks) : 0.0;
    return elapsed / double(frames);
}

Lv2BenchHost::Result Lv2BenchHost::run(const std::vector<std::vector<float>>& channels, int passes,
                                       const std::string& meterSymbol, Meter meter)
{
    const auto it = std::find(symbols_.begin(), symbols_.end(), meterSymbol);
    if (it == symbols_.end())
        throw std::runtime_error("no meter port '" + meterSymbol + "'");
    const float* meterValue = &controls_[size_t(it - symbols_.begin())];
    processPass(channels, nullptr, meter, nullptr); // warm-up: caches, lazy set-up, the detector settles
    std::vector<double> times;
    Result r;
    for (int p = 0; p < passes; ++p)
        times.push_back(processPass(channels, meterValue, meter, p + 1 == passes ? &r.reductionDb : nullptr));
    std::sort(times.begin(), times.end());
    r.minNsPerFrame = times.front();
    r.medianNsPerFrame = times[times.size() / 2];
    return r;
}

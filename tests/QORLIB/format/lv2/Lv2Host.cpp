#include "tests/QORLIB/format/lv2/Lv2Host.h"

#include <algorithm>
#include <stdexcept>

namespace qortest
{

Lv2World::Lv2World() : world_(lilv_world_new())
{
    lilv_world_load_specifications(world_);
    lilv_world_load_plugin_classes(world_);
    LilvNode* bundle = lilv_new_file_uri(world_, nullptr, QOR_LV2_BUNDLE_DIR "/");
    lilv_world_load_bundle(world_, bundle);
    lilv_node_free(bundle);
}

Lv2World::~Lv2World() { lilv_world_free(world_); }

const LilvPlugin* Lv2World::plugin(const char* text) const
{
    LilvNode* node = uri(text);
    const LilvPlugin* p = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), node);
    lilv_node_free(node);
    return p;
}

Lv2Instance::Lv2Instance(const Lv2World& world, const LilvPlugin* plugin, double rate,
                         const LV2_Feature* const* features)
    : plugin_(plugin), instance_(lilv_plugin_instantiate(plugin, rate, features))
{
    if (instance_ == nullptr)
        throw std::runtime_error("the plug-in did not instantiate");
    const uint32_t ports = lilv_plugin_get_num_ports(plugin);
    controls_.assign(ports, 0.0f);
    LilvNode* audio = world.uri(LILV_URI_AUDIO_PORT);
    LilvNode* input = world.uri(LILV_URI_INPUT_PORT);
    for (uint32_t i = 0; i < ports; ++i)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        index_[lilv_node_as_string(lilv_port_get_symbol(plugin, port))] = i;
        if (lilv_port_is_a(plugin, port, audio))
        {
            (lilv_port_is_a(plugin, port, input) ? audioIn_ : audioOut_).push_back(i);
            continue;
        }
        LilvNode* def = nullptr;
        lilv_port_get_range(plugin, port, &def, nullptr, nullptr);
        controls_[i] = def != nullptr ? lilv_node_as_float(def) : 0.0f;
        lilv_node_free(def);
        lilv_instance_connect_port(instance_, i, &controls_[i]);
    }
    lilv_node_free(audio);
    lilv_node_free(input);
    lilv_instance_activate(instance_);
}

Lv2Instance::~Lv2Instance()
{
    lilv_instance_deactivate(instance_);
    lilv_instance_free(instance_);
}

void Lv2Instance::set(const std::string& symbol, float value) { controls_.at(index_.at(symbol)) = value; }
float Lv2Instance::get(const std::string& symbol) const { return controls_.at(index_.at(symbol)); }

std::vector<std::vector<float>> Lv2Instance::run(const std::vector<std::vector<float>>& in, int blockSize)
{
    const size_t frames = in.at(0).size();
    std::vector<std::vector<float>> out(audioOut_.size(), std::vector<float>(frames));
    std::vector<std::vector<float>> blockIn(audioIn_.size()), blockOut(audioOut_.size());
    for (size_t pos = 0; pos < frames || (frames == 0 && pos == 0); pos += size_t(blockSize))
    {
        const size_t n = std::min(size_t(blockSize), frames - pos);
        for (size_t c = 0; c < audioIn_.size(); ++c)
        {
            blockIn[c].assign(in.at(c).begin() + long(pos), in.at(c).begin() + long(pos + n));
            blockIn[c].resize(std::max<size_t>(n, 1));
            lilv_instance_connect_port(instance_, audioIn_[c], blockIn[c].data());
        }
        for (size_t c = 0; c < audioOut_.size(); ++c)
        {
            blockOut[c].assign(std::max<size_t>(n, 1), 0.0f);
            lilv_instance_connect_port(instance_, audioOut_[c], blockOut[c].data());
        }
        lilv_instance_run(instance_, uint32_t(n));
        for (size_t c = 0; c < audioOut_.size(); ++c)
            std::copy(blockOut[c].begin(), blockOut[c].begin() + long(n), out[c].begin() + long(pos));
        if (frames == 0)
            break;
    }
    return out;
}

} // namespace qortest

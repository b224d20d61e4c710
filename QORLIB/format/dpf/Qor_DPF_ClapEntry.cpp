// The CLAP module: DPF's CLAP wrapper, with the parameter texts our displays write. DPF prints
// a continuous value as "%f"; our entry hands the host DPF's factory and plug-ins unchanged
// except for the parameter extension's two text functions.
#define clap_entry qor_dpf_clap_entry
#include "DistrhoPluginMain.cpp"
#undef clap_entry

#include "QORLIB/format/dpf/Qor_DPF_Parameters.h"

namespace
{
using DISTRHO_NAMESPACE::clap_plugin_factory;

const void*(CLAP_ABI* dpfGetExtension)(const clap_plugin_t*, const char*) = nullptr;

bool CLAP_ABI valueToText(const clap_plugin_t*, clap_id id, double value, char* display, uint32_t size)
{
    return Qor_DPF::valueText(id, value, display, size);
}

bool CLAP_ABI textToValue(const clap_plugin_t*, clap_id id, const char* display, double* value)
{
    return value != nullptr && Qor_DPF::textValue(id, display, *value);
}

const clap_plugin_params_t& params()
{
    static const clap_plugin_params_t p = [] {
        clap_plugin_params_t q = DISTRHO_NAMESPACE::clap_plugin_params;
        q.value_to_text = valueToText;
        q.text_to_value = textToValue;
        return q;
    }();
    return p;
}

const void* CLAP_ABI getExtension(const clap_plugin_t* plugin, const char* id)
{
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0)
        return &params();
    return dpfGetExtension(plugin, id);
}

const clap_plugin_t* CLAP_ABI createPlugin(const clap_plugin_factory_t* factory, const clap_host_t* host, const char* id)
{
    if (host == nullptr || id == nullptr || std::strcmp(id, DISTRHO_PLUGIN_CLAP_ID) != 0)
        return nullptr;
    // DPF allocates each plug-in's function table, so it is ours to amend.
    auto* plugin = const_cast<clap_plugin_t*>(clap_plugin_factory.create_plugin(factory, host, id));
    if (plugin == nullptr)
        return nullptr;
    dpfGetExtension = plugin->get_extension;
    plugin->get_extension = getExtension;
    return plugin;
}

const clap_plugin_factory_t kFactory = {clap_plugin_factory.get_plugin_count, clap_plugin_factory.get_plugin_descriptor,
                                        createPlugin};

const void* CLAP_ABI getFactory(const char* id)
{
    return std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0 ? &kFactory : nullptr;
}
} // namespace

DISTRHO_PLUGIN_EXPORT
const clap_plugin_entry_t clap_entry = {CLAP_VERSION, DISTRHO_NAMESPACE::clap_plugin_entry.init,
                                            DISTRHO_NAMESPACE::clap_plugin_entry.deinit, getFactory};

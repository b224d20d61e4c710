// The VST3 module: DPF's VST3 wrapper, with the parameter texts our displays write. DPF prints a
// continuous value as "%f"; our factory hands out DPF's components unchanged except for the
// edit controller's two text functions.
#define GetPluginFactory qor_dpf_GetPluginFactory
#include "DistrhoPluginMain.cpp"
#undef GetPluginFactory

#include "QORLIB/format/dpf/Qor_DPF_Parameters.h"

namespace
{
USE_NAMESPACE_DISTRHO;

using CreateInstance = v3_result(V3_API*)(void*, const v3_tuid, const v3_tuid, void**);
using QueryInterface = v3_result(V3_API*)(void*, const v3_tuid, void**);
using StringForValue = v3_result(V3_API*)(void*, v3_param_id, double, v3_str_128);
using ValueForString = v3_result(V3_API*)(void*, v3_param_id, int16_t*, double*);

CreateInstance dpfCreateInstance = nullptr;
QueryInterface dpfQueryComponent = nullptr;
StringForValue dpfStringForValue = nullptr;
ValueForString dpfValueForString = nullptr;

// Our parameters follow DPF's internal ones (the program list).
bool ourIndex(v3_param_id id, uint32_t& index)
{
    if (id < kVst3InternalParameterCount)
        return false;
    index = id - kVst3InternalParameterCount;
    return index < Qor_DPF::kNumParameters;
}

v3_result V3_API stringForValue(void* self, v3_param_id id, double normalised, v3_str_128 output)
{
    uint32_t index = 0;
    if (!ourIndex(id, index))
        return dpfStringForValue(self, id, normalised, output);
    const Qor_DPF::HostParameter& p = Qor_DPF::hostParameter(index);
    char text[128];
    Qor_DPF::valueText(index, p.minimum + normalised * (p.maximum - p.minimum), text, sizeof text);
    strncpy_utf16(output, text, 128);
    return V3_OK;
}

v3_result V3_API valueForString(void* self, v3_param_id id, int16_t* input, double* output)
{
    uint32_t index = 0;
    if (!ourIndex(id, index))
        return dpfValueForString(self, id, input, output);
    double plain = 0.0;
    const ScopedUTF8String text(input);
    if (output == nullptr || !Qor_DPF::textValue(index, text, plain))
        return V3_INVALID_ARG;
    const Qor_DPF::HostParameter& p = Qor_DPF::hostParameter(index);
    *output = (plain - p.minimum) / (p.maximum - p.minimum);
    return V3_OK;
}

v3_result V3_API queryComponent(void* self, const v3_tuid iid, void** iface)
{
    const v3_result result = dpfQueryComponent(self, iid, iface);
    if (result == V3_OK && v3_tuid_match(iid, v3_edit_controller_iid))
    {
        dpf_edit_controller* controller = *static_cast<dpf_edit_controller**>(*iface);
        dpfStringForValue = controller->ctrl.get_parameter_string_for_value;
        dpfValueForString = controller->ctrl.get_parameter_value_for_string;
        controller->ctrl.get_parameter_string_for_value = stringForValue;
        controller->ctrl.get_parameter_value_for_string = valueForString;
    }
    return result;
}

v3_result V3_API createInstance(void* self, const v3_tuid classId, const v3_tuid iid, void** instance)
{
    const v3_result result = dpfCreateInstance(self, classId, iid, instance);
    if (result == V3_OK && (v3_tuid_match(iid, v3_component_iid) || v3_tuid_match(iid, v3_funknown_iid)))
    {
        dpf_component* component = *static_cast<dpf_component**>(*instance);
        dpfQueryComponent = component->query_interface;
        component->query_interface = queryComponent;
    }
    return result;
}
} // namespace

DISTRHO_PLUGIN_EXPORT
const void* GetPluginFactory(void);

const void* GetPluginFactory(void)
{
    auto** factory = static_cast<dpf_factory**>(const_cast<void*>(qor_dpf_GetPluginFactory()));
    dpfCreateInstance = (*factory)->v1.create_instance;
    (*factory)->v1.create_instance = createInstance;
    return factory;
}

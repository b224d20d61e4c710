// The UI's export: lv2ui_descriptor, one X11 UI for the mono and the stereo plug-in. It lives in
// the plug-in's own module, so that with instance access the editor reaches the instance's
// preset manager in the same process and the same copy of the process-wide preset data.
#include "QORLIB/format/lv2/Qor_LV2_UI.h"
#include "vellaCor/vellaCorIdentity.h"

#include <lv2/instance-access/instance-access.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace
{
const std::string kUiUri = std::string(vellaCorIdentity::kLv2UriBase) + "#ui";

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    Qor_LV2::UI::HostInterface host;
    host.write = write;
    host.controller = controller;
    host.stereo = pluginUri == nullptr || std::strcmp(pluginUri, vellaCorIdentity::kLv2UriMono) != 0;
    LV2_URID_Map* map = nullptr;
    const LV2_Options_Option* options = nullptr;
    for (int i = 0; features && features[i]; ++i)
    {
        const char* uri = features[i]->URI;
        void* data = features[i]->data;
        if (std::strcmp(uri, LV2_UI__parent) == 0)
            host.parent = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(data));
        else if (std::strcmp(uri, LV2_UI__resize) == 0)
            host.resize = static_cast<LV2UI_Resize*>(data);
        else if (std::strcmp(uri, LV2_UI__touch) == 0)
            host.touch = static_cast<const LV2UI_Touch*>(data);
        else if (std::strcmp(uri, LV2_INSTANCE_ACCESS_URI) == 0)
            host.instance = static_cast<Qor_LV2::Plugin*>(data);
        else if (std::strcmp(uri, LV2_URID__map) == 0)
            map = static_cast<LV2_URID_Map*>(data);
        else if (std::strcmp(uri, LV2_OPTIONS__options) == 0)
            options = static_cast<const LV2_Options_Option*>(data);
    }
    if (map && options)
    {
        const LV2_URID scale = map->map(map->handle, LV2_UI__scaleFactor);
        const LV2_URID floatType = map->map(map->handle, "http://lv2plug.in/ns/ext/atom#Float");
        for (const LV2_Options_Option* o = options; o->key != 0; ++o)
            if (o->key == scale && o->type == floatType && o->size == sizeof(float) && o->value)
                host.scaleFactor = *static_cast<const float*>(o->value);
    }
    Qor_LV2::UI* ui = nullptr;
    try
    {
        ui = new Qor_LV2::UI(host);
    }
    catch (...)
    {
        return nullptr;
    }
    // Embedded: open now and hand over the window. Without a parent the window waits for show().
    if (host.parent)
    {
        if (!ui->open())
        {
            delete ui;
            return nullptr;
        }
        *widget = reinterpret_cast<LV2UI_Widget>(static_cast<uintptr_t>(ui->windowId()));
    }
    else if (widget)
        *widget = nullptr;
    return ui;
}

void cleanup(LV2UI_Handle h) { delete static_cast<Qor_LV2::UI*>(h); }

void portEvent(LV2UI_Handle h, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    static_cast<Qor_LV2::UI*>(h)->portEvent(port, size, format, buffer);
}

int idle(LV2UI_Handle h) { return static_cast<Qor_LV2::UI*>(h)->idle(); }
int show(LV2UI_Handle h) { return static_cast<Qor_LV2::UI*>(h)->open() ? 0 : 1; }
int hide(LV2UI_Handle h)
{
    static_cast<Qor_LV2::UI*>(h)->close();
    return 0;
}

const LV2UI_Idle_Interface kIdle = {idle};
const LV2UI_Show_Interface kShow = {show, hide};

const void* extensionData(const char* uri)
{
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0)
        return &kIdle;
    if (std::strcmp(uri, LV2_UI__showInterface) == 0)
        return &kShow;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri.c_str(), instantiate, cleanup, portEvent, extensionData};
} // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}

#include "tests/QORLIB/format/dpf/Vst3Host.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <string>

namespace qortest
{
namespace
{
// The tables of the two host interfaces travesty has no C++ form for.
struct v3_bstream_cpp : v3_funknown
{
    v3_bstream stream;
};
struct v3_component_handler_cpp : v3_funknown
{
    v3_component_handler handler;
};
// A host object: its first member is the table an interface pointer points to.
template <typename Table, typename Data> struct Object
{
    const Table* table;
    Data data;
};
template <typename O> O* from(void* self) { return static_cast<O*>(self); }

v3_result V3_API noInterface(void*, const v3_tuid, void** obj)
{
    *obj = nullptr;
    return V3_NO_INTERFACE;
}
uint32_t V3_API one(void*) { return 1; }

// The state stream.
struct Stream
{
    std::vector<uint8_t> bytes;
    std::size_t at = 0;
};
using StreamObject = Object<v3_bstream_cpp, Stream>;
v3_result V3_API streamRead(void* self, void* buffer, int32_t n, int32_t* done)
{
    Stream& s = from<StreamObject>(self)->data;
    const std::size_t count = std::min<std::size_t>(std::size_t(std::max(n, 0)), s.bytes.size() - s.at);
    std::memcpy(buffer, s.bytes.data() + s.at, count);
    s.at += count;
    if (done)
        *done = int32_t(count);
    return V3_OK;
}
v3_result V3_API streamWrite(void* self, void* buffer, int32_t n, int32_t* done)
{
    Stream& s = from<StreamObject>(self)->data;
    const auto* p = static_cast<const uint8_t*>(buffer);
    s.bytes.insert(s.bytes.end(), p, p + std::max(n, 0));
    if (done)
        *done = n;
    return V3_OK;
}
v3_result V3_API streamSeek(void* self, int64_t pos, int32_t mode, int64_t* result)
{
    Stream& s = from<StreamObject>(self)->data;
    const int64_t base = mode == V3_SEEK_SET ? 0 : mode == V3_SEEK_CUR ? int64_t(s.at) : int64_t(s.bytes.size());
    s.at = std::size_t(std::clamp<int64_t>(base + pos, 0, int64_t(s.bytes.size())));
    if (result)
        *result = int64_t(s.at);
    return V3_OK;
}
v3_result V3_API streamTell(void* self, int64_t* pos)
{
    *pos = int64_t(from<StreamObject>(self)->data.at);
    return V3_OK;
}
v3_bstream_cpp makeStreamTable()
{
    v3_bstream_cpp t{};
    t.query_interface = noInterface;
    t.ref = t.unref = one;
    t.stream.read = streamRead;
    t.stream.write = streamWrite;
    t.stream.seek = streamSeek;
    t.stream.tell = streamTell;
    return t;
}
const v3_bstream_cpp kStreamTable = makeStreamTable();

// Parameter changes: one point per parameter at the block's start.
struct Queue
{
    v3_param_id id;
    double value;
};
using QueueObject = Object<v3_param_value_queue_cpp, Queue>;
v3_param_id V3_API queueId(void* self) { return from<QueueObject>(self)->data.id; }
int32_t V3_API queueCount(void*) { return 1; }
v3_result V3_API queuePoint(void* self, int32_t index, int32_t* offset, double* value)
{
    if (index != 0)
        return V3_INVALID_ARG;
    *offset = 0;
    *value = from<QueueObject>(self)->data.value;
    return V3_OK;
}
// Points the plug-in adds (its output parameters) replace the queue's value.
v3_result V3_API queueAdd(void* self, int32_t, double value, int32_t* index)
{
    from<QueueObject>(self)->data.value = value;
    if (index)
        *index = 0;
    return V3_OK;
}
v3_param_value_queue_cpp makeQueueTable()
{
    v3_param_value_queue_cpp t{};
    t.query_interface = noInterface;
    t.ref = t.unref = one;
    t.queue.get_param_id = queueId;
    t.queue.get_point_count = queueCount;
    t.queue.get_point = queuePoint;
    t.queue.add_point = queueAdd;
    return t;
}
const v3_param_value_queue_cpp kQueueTable = makeQueueTable();

struct Changes
{
    std::array<QueueObject, 16> queues;
    int32_t count = 0;
};
using ChangesObject = Object<v3_param_changes_cpp, Changes>;
int32_t V3_API changesCount(void* self) { return from<ChangesObject>(self)->data.count; }
v3_param_value_queue** V3_API changesData(void* self, int32_t index)
{
    Changes& c = from<ChangesObject>(self)->data;
    return index >= 0 && index < c.count ? reinterpret_cast<v3_param_value_queue**>(&c.queues[std::size_t(index)]) : nullptr;
}
v3_param_value_queue** V3_API changesAdd(void* self, v3_param_id* id, int32_t* index)
{
    Changes& c = from<ChangesObject>(self)->data;
    for (int32_t i = 0; i < c.count; ++i)
        if (c.queues[std::size_t(i)].data.id == *id)
        {
            if (index)
                *index = i;
            return reinterpret_cast<v3_param_value_queue**>(&c.queues[std::size_t(i)]);
        }
    if (c.count == int32_t(c.queues.size()))
        return nullptr;
    c.queues[std::size_t(c.count)] = QueueObject{&kQueueTable, {*id, 0.0}};
    if (index)
        *index = c.count;
    return reinterpret_cast<v3_param_value_queue**>(&c.queues[std::size_t(c.count++)]);
}
v3_param_changes_cpp makeChangesTable()
{
    v3_param_changes_cpp t{};
    t.query_interface = noInterface;
    t.ref = t.unref = one;
    t.changes.get_param_count = changesCount;
    t.changes.get_param_data = changesData;
    t.changes.add_param_data = changesAdd;
    return t;
}
const v3_param_changes_cpp kChangesTable = makeChangesTable();

// The component handler: the editor's edits.
using HandlerObject = Object<v3_component_handler_cpp, Vst3Edits*>;
void logEdit(void* self, const char* kind, v3_param_id id)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%u", kind, unsigned(id));
    from<HandlerObject>(self)->data->log.push_back(text);
}
v3_result V3_API beginEdit(void* self, v3_param_id id)
{
    logEdit(self, "b", id);
    return V3_OK;
}
v3_result V3_API performEdit(void* self, v3_param_id id, double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "p%u=%.4f", unsigned(id), v);
    from<HandlerObject>(self)->data->log.push_back(text);
    return V3_OK;
}
v3_result V3_API endEdit(void* self, v3_param_id id)
{
    logEdit(self, "e", id);
    return V3_OK;
}
v3_result V3_API restartComponent(void*, int32_t) { return V3_OK; }
v3_result V3_API handlerQuery(void* self, const v3_tuid iid, void** obj)
{
    if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_component_handler_iid))
    {
        *obj = self;
        return V3_OK;
    }
    return noInterface(self, iid, obj);
}
v3_component_handler_cpp makeHandlerTable()
{
    v3_component_handler_cpp t{};
    t.query_interface = handlerQuery;
    t.ref = t.unref = one;
    t.handler.begin_edit = beginEdit;
    t.handler.perform_edit = performEdit;
    t.handler.end_edit = endEdit;
    t.handler.restart_component = restartComponent;
    return t;
}
const v3_component_handler_cpp kHandlerTable = makeHandlerTable();

// The view's frame, which is also the host's run loop (timers only: the view's X11 events are
// read by its own timer).
using FrameObject = Object<v3_plugin_frame_cpp, Vst3Instance*>;
struct RunLoopObject
{
    const v3_run_loop_cpp* table;
    Vst3Instance* instance;
};
v3_result V3_API registerEventHandler(void*, v3_event_handler**, int) { return V3_OK; }
v3_result V3_API unregisterEventHandler(void*, v3_event_handler**) { return V3_OK; }
v3_result V3_API registerTimer(void* self, v3_timer_handler** handler, uint64_t)
{
    static_cast<RunLoopObject*>(self)->instance->timers.push_back({handler});
    return V3_OK;
}
v3_result V3_API unregisterTimer(void* self, v3_timer_handler** handler)
{
    auto& timers = static_cast<RunLoopObject*>(self)->instance->timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const auto& t) { return t.handler == handler; }),
                 timers.end());
    return V3_OK;
}
v3_result V3_API runLoopQuery(void* self, const v3_tuid iid, void** obj)
{
    if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_run_loop_iid))
    {
        *obj = self;
        return V3_OK;
    }
    return noInterface(self, iid, obj);
}
v3_run_loop_cpp makeRunLoopTable()
{
    v3_run_loop_cpp t{};
    t.query_interface = runLoopQuery;
    t.ref = t.unref = one;
    t.loop.register_event_handler = registerEventHandler;
    t.loop.unregister_event_handler = unregisterEventHandler;
    t.loop.register_timer = registerTimer;
    t.loop.unregister_timer = unregisterTimer;
    return t;
}
const v3_run_loop_cpp kRunLoopTable = makeRunLoopTable();

struct Frame
{
    FrameObject frame;
    RunLoopObject loop;
};
v3_result V3_API resizeView(void* self, v3_plugin_view**, v3_view_rect* rect)
{
    Vst3Instance* instance = from<FrameObject>(self)->data;
    instance->requestedWidth = rect->right - rect->left;
    instance->requestedHeight = rect->bottom - rect->top;
    return V3_OK;
}
v3_result V3_API frameQuery(void* self, const v3_tuid iid, void** obj)
{
    if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_plugin_frame_iid))
    {
        *obj = self;
        return V3_OK;
    }
    if (v3_tuid_match(iid, v3_run_loop_iid))
    {
        // The frame object is the first member of Frame; the run loop follows it.
        *obj = &reinterpret_cast<Frame*>(self)->loop;
        return V3_OK;
    }
    return noInterface(self, iid, obj);
}
v3_plugin_frame_cpp makeFrameTable()
{
    v3_plugin_frame_cpp t{};
    t.query_interface = frameQuery;
    t.ref = t.unref = one;
    t.frame.resize_view = resizeView;
    return t;
}
const v3_plugin_frame_cpp kFrameTable = makeFrameTable();
// The host application given to initialize: a name, and no objects of its own.
v3_result V3_API hostName(void*, v3_str_128 name)
{
    const char* text = "qor-test-host";
    for (int i = 0; i < 128; ++i)
        if ((name[i] = int16_t(text[i])) == 0)
            break;
    return V3_OK;
}
// Messages between the plug-in's view and its controller are the host's objects.
struct Attributes
{
    const v3_attribute_list_cpp* table;
    std::map<std::string, int64_t> ints;
    std::map<std::string, double> floats;
    std::map<std::string, std::u16string> strings;
    std::map<std::string, std::vector<uint8_t>> binaries;
};
Attributes& attributes(void* self) { return *static_cast<Attributes*>(self); }
v3_result V3_API setInt(void* self, const char* id, int64_t v)
{
    attributes(self).ints[id] = v;
    return V3_OK;
}
v3_result V3_API getInt(void* self, const char* id, int64_t* v)
{
    auto& m = attributes(self).ints;
    return m.count(id) ? (*v = m[id], V3_OK) : V3_INVALID_ARG;
}
v3_result V3_API setFloat(void* self, const char* id, double v)
{
    attributes(self).floats[id] = v;
    return V3_OK;
}
v3_result V3_API getFloat(void* self, const char* id, double* v)
{
    auto& m = attributes(self).floats;
    return m.count(id) ? (*v = m[id], V3_OK) : V3_INVALID_ARG;
}
v3_result V3_API setString(void* self, const char* id, const int16_t* text)
{
    std::u16string s;
    for (int i = 0; text[i] != 0; ++i)
        s += char16_t(text[i]);
    attributes(self).strings[id] = s;
    return V3_OK;
}
v3_result V3_API getString(void* self, const char* id, int16_t* text, uint32_t bytes)
{
    auto& m = attributes(self).strings;
    if (!m.count(id) || bytes < 2)
        return V3_INVALID_ARG;
    const std::u16string& s = m[id];
    const std::size_t n = std::min<std::size_t>(s.size(), bytes / 2 - 1);
    for (std::size_t i = 0; i < n; ++i)
        text[i] = int16_t(s[i]);
    text[n] = 0;
    return V3_OK;
}
v3_result V3_API setBinary(void* self, const char* id, const void* data, uint32_t size)
{
    const auto* p = static_cast<const uint8_t*>(data);
    attributes(self).binaries[id].assign(p, p + size);
    return V3_OK;
}
v3_result V3_API getBinary(void* self, const char* id, const void** data, uint32_t* size)
{
    auto& m = attributes(self).binaries;
    if (!m.count(id))
        return V3_INVALID_ARG;
    *data = m[id].data();
    *size = uint32_t(m[id].size());
    return V3_OK;
}
v3_attribute_list_cpp makeAttributesTable()
{
    v3_attribute_list_cpp t{};
    t.query_interface = noInterface;
    t.ref = t.unref = one;
    t.attrlist.set_int = setInt;
    t.attrlist.get_int = getInt;
    t.attrlist.set_float = setFloat;
    t.attrlist.get_float = getFloat;
    t.attrlist.set_string = setString;
    t.attrlist.get_string = getString;
    t.attrlist.set_binary = setBinary;
    t.attrlist.get_binary = getBinary;
    return t;
}
const v3_attribute_list_cpp kAttributesTable = makeAttributesTable();

struct Message
{
    const v3_message_cpp* table = nullptr;
    int refs = 1;
    std::string id;
    Attributes attributes{&kAttributesTable, {}, {}, {}, {}};
};
uint32_t V3_API messageRef(void* self) { return uint32_t(++static_cast<Message*>(self)->refs); }
uint32_t V3_API messageUnref(void* self)
{
    auto* m = static_cast<Message*>(self);
    const int left = --m->refs;
    if (left == 0)
        delete m;
    return uint32_t(left);
}
v3_result V3_API messageQuery(void* self, const v3_tuid iid, void** obj)
{
    if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_message_iid))
    {
        messageRef(self);
        *obj = self;
        return V3_OK;
    }
    return noInterface(self, iid, obj);
}
const char* V3_API messageId(void* self) { return static_cast<Message*>(self)->id.c_str(); }
void V3_API setMessageId(void* self, const char* id) { static_cast<Message*>(self)->id = id ? id : ""; }
v3_attribute_list** V3_API messageAttributes(void* self)
{
    return reinterpret_cast<v3_attribute_list**>(&static_cast<Message*>(self)->attributes);
}
v3_message_cpp makeMessageTable()
{
    v3_message_cpp t{};
    t.query_interface = messageQuery;
    t.ref = messageRef;
    t.unref = messageUnref;
    t.msg.get_message_id = messageId;
    t.msg.set_message_id = setMessageId;
    t.msg.get_attributes = messageAttributes;
    return t;
}
const v3_message_cpp kMessageTable = makeMessageTable();

v3_result V3_API hostCreate(void*, v3_tuid cid, v3_tuid iid, void** obj)
{
    if (v3_tuid_match(cid, v3_message_iid) && v3_tuid_match(iid, v3_message_iid))
    {
        auto* message = new Message;
        message->table = &kMessageTable;
        *obj = message;
        return V3_OK;
    }
    *obj = nullptr;
    return V3_NOT_IMPLEMENTED;
}
v3_result V3_API hostQuery(void* self, const v3_tuid iid, void** obj)
{
    if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_host_application_iid))
    {
        *obj = self;
        return V3_OK;
    }
    return noInterface(self, iid, obj);
}
v3_host_application_cpp makeHostTable()
{
    v3_host_application_cpp t{};
    t.query_interface = hostQuery;
    t.ref = t.unref = one;
    t.app.get_name = hostName;
    t.app.create_instance = hostCreate;
    return t;
}
const v3_host_application_cpp kHostTable = makeHostTable();
struct HostObject
{
    const v3_host_application_cpp* table = &kHostTable;
};
HostObject gHost;
} // namespace

std::string utf8(const int16_t* text)
{
    std::string s;
    for (int i = 0; i < 128 && text[i] != 0; ++i)
        s += text[i] < 128 ? char(text[i]) : '?';
    return s;
}

Vst3Module::Vst3Module(const std::string& bundle)
{
    const std::string binary = bundle + "/Contents/x86_64-linux/" +
                               std::filesystem::path(bundle).stem().string() + ".so";
    handle_ = dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
    {
        error_ = dlerror();
        return;
    }
    auto entry = reinterpret_cast<bool (*)(void*)>(dlsym(handle_, "ModuleEntry"));
    auto getFactory = reinterpret_cast<const void* (*)()>(dlsym(handle_, "GetPluginFactory"));
    if (entry == nullptr || getFactory == nullptr || !entry(handle_))
    {
        error_ = "no ModuleEntry or GetPluginFactory, or ModuleEntry failed";
        return;
    }
    factory_ = static_cast<v3_plugin_factory_cpp**>(const_cast<void*>(getFactory()));
}

Vst3Module::~Vst3Module()
{
    if (factory_)
        (*factory_)->unref(factory_);
    if (handle_)
    {
        if (auto exit = reinterpret_cast<bool (*)()>(dlsym(handle_, "ModuleExit")))
            exit();
        dlclose(handle_);
    }
}

bool Vst3Module::findEffect(v3_class_info& info) const
{
    const int32_t n = factory()->v1.num_classes(factory_);
    for (int32_t i = 0; i < n; ++i)
        if (factory()->v1.get_class_info(factory_, i, &info) == V3_OK &&
            std::strcmp(info.category, "Audio Module Class") == 0)
            return true;
    return false;
}

Vst3Instance::Vst3Instance(const Vst3Module& module)
{
    v3_class_info info{};
    if (!module.findEffect(info))
        return;
    void* object = nullptr;
    if (module.factory()->v1.create_instance(module.factoryObject(), info.class_id, v3_component_iid, &object) != V3_OK)
        return;
    component_ = static_cast<v3_component_cpp**>(object);
    if (component()->base.initialize(component_, reinterpret_cast<v3_funknown**>(&gHost)) != V3_OK)
        return;
    void* iface = nullptr;
    if (component()->query_interface(component_, v3_edit_controller_iid, &iface) == V3_OK)
        controller_ = static_cast<v3_edit_controller_cpp**>(iface);
    if (component()->query_interface(component_, v3_audio_processor_iid, &iface) == V3_OK)
        processor_ = static_cast<v3_audio_processor_cpp**>(iface);
    if (controller_ != nullptr)
    {
        controller()->base.initialize(controller_, reinterpret_cast<v3_funknown**>(&gHost));
        auto* handler = new HandlerObject{&kHandlerTable, &edits};
        handler_ = handler;
        controller()->ctrl.set_component_handler(controller_, reinterpret_cast<v3_component_handler**>(handler));
    }
}

Vst3Instance::~Vst3Instance()
{
    closeView();
    deactivate();
    if (controller_)
    {
        controller()->ctrl.set_component_handler(controller_, nullptr);
        controller()->base.terminate(controller_);
        controller()->unref(controller_);
    }
    if (processor_)
        (*processor_)->unref(processor_);
    if (component_)
    {
        component()->base.terminate(component_);
        component()->unref(component_);
    }
    delete static_cast<HandlerObject*>(handler_);
}

bool Vst3Instance::activate(double rate, int32_t maxFrames)
{
    deactivate();
    v3_process_setup setup{V3_REALTIME, V3_SAMPLE_32, maxFrames, rate};
    if ((*processor_)->proc.setup_processing(processor_, &setup) != V3_OK)
        return false;
    if (component()->comp.set_active(component_, true) != V3_OK)
        return false;
    active_ = (*processor_)->proc.set_processing(processor_, true) == V3_OK;
    return active_;
}

void Vst3Instance::deactivate()
{
    if (!active_)
        return;
    (*processor_)->proc.set_processing(processor_, false);
    component()->comp.set_active(component_, false);
    active_ = false;
}

bool Vst3Instance::process(std::vector<std::vector<float>>& in, std::vector<std::vector<float>>& out, int32_t frames,
                           const std::vector<std::pair<v3_param_id, double>>& normalised)
{
    std::array<float*, 8> inPtr{}, outPtr{};
    for (std::size_t c = 0; c < in.size() && c < 8; ++c)
        inPtr[c] = in[c].data();
    for (std::size_t c = 0; c < out.size() && c < 8; ++c)
        outPtr[c] = out[c].data();
    v3_audio_bus_buffers inBus{};
    inBus.num_channels = int32_t(in.size());
    inBus.channel_buffers_32 = inPtr.data();
    v3_audio_bus_buffers outBus{};
    outBus.num_channels = int32_t(out.size());
    outBus.channel_buffers_32 = outPtr.data();
    ChangesObject changes{&kChangesTable, {}};
    for (const auto& [id, v] : normalised)
        if (changes.data.count < 16)
            changes.data.queues[std::size_t(changes.data.count++)] = QueueObject{&kQueueTable, {id, v}};
    ChangesObject outputs{&kChangesTable, {}};
    v3_process_data data{};
    data.process_mode = V3_REALTIME;
    data.symbolic_sample_size = V3_SAMPLE_32;
    data.nframes = frames;
    data.num_input_buses = 1;
    data.num_output_buses = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    data.input_params = reinterpret_cast<v3_param_changes**>(&changes);
    data.output_params = reinterpret_cast<v3_param_changes**>(&outputs);
    if ((*processor_)->proc.process(processor_, &data) != V3_OK)
        return false;
    for (int32_t i = 0; i < outputs.data.count; ++i)
        outputValues[outputs.data.queues[std::size_t(i)].data.id] = outputs.data.queues[std::size_t(i)].data.value;
    return true;
}

std::string Vst3Instance::text(v3_param_id id, double normalised) const
{
    v3_str_128 out{};
    if (controller()->ctrl.get_parameter_string_for_value(controller_, id, normalised, out) != V3_OK)
        return "<none>";
    return utf8(out);
}

std::vector<uint8_t> Vst3Instance::saveState() const
{
    StreamObject stream{&kStreamTable, {}};
    if (component()->comp.get_state(component_, reinterpret_cast<v3_bstream**>(&stream)) != V3_OK)
        return {};
    return stream.data.bytes;
}

bool Vst3Instance::loadState(const std::vector<uint8_t>& bytes)
{
    StreamObject stream{&kStreamTable, {bytes, 0}};
    if (component()->comp.set_state(component_, reinterpret_cast<v3_bstream**>(&stream)) != V3_OK)
        return false;
    // Hosts hand the component's state to its controller too.
    stream.data.at = 0;
    return controller()->ctrl.set_component_state(controller_, reinterpret_cast<v3_bstream**>(&stream)) == V3_OK;
}

bool Vst3Instance::openView(unsigned long parent, int32_t& width, int32_t& height)
{
    view_ = reinterpret_cast<v3_plugin_view_cpp**>(controller()->ctrl.create_view(controller_, "editor"));
    if (view_ == nullptr)
        return false;
    if ((*view_)->view.is_platform_type_supported(view_, "X11EmbedWindowID") != V3_OK)
        return false;
    auto* frame = new Frame{{&kFrameTable, this}, {&kRunLoopTable, this}};
    frame_ = frame;
    (*view_)->view.set_frame(view_, reinterpret_cast<v3_plugin_frame**>(&frame->frame));
    if ((*view_)->view.attached(view_, reinterpret_cast<void*>(parent), "X11EmbedWindowID") != V3_OK)
        return false;
    v3_view_rect rect{};
    (*view_)->view.get_size(view_, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    return true;
}

void Vst3Instance::runTimers()
{
    const std::vector<Timer> now = timers;
    for (const Timer& t : now)
        reinterpret_cast<v3_timer_handler_cpp*>(*t.handler)->timer.on_timer(t.handler);
}

void Vst3Instance::closeView()
{
    if (view_ == nullptr)
        return;
    (*view_)->view.removed(view_);
    (*view_)->view.set_frame(view_, nullptr);
    (*view_)->unref(view_);
    view_ = nullptr;
    delete static_cast<Frame*>(frame_);
    frame_ = nullptr;
    timers.clear();
}

} // namespace qortest

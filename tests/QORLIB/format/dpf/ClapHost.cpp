#include "tests/QORLIB/format/dpf/ClapHost.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <dlfcn.h>

namespace qortest
{
namespace
{
ClapInstance* self(const clap_host_t* host) { return static_cast<ClapInstance*>(host->host_data); }

// Fixed storage: the host's own process() allocates nothing either.
struct EventList
{
    std::array<clap_event_param_value_t, 16> events{};
    uint32_t count = 0;
    static uint32_t CLAP_ABI size(const clap_input_events_t* list) { return static_cast<const EventList*>(list->ctx)->count; }
    static const clap_event_header_t* CLAP_ABI get(const clap_input_events_t* list, uint32_t index)
    {
        const auto* l = static_cast<const EventList*>(list->ctx);
        return index < l->count ? &l->events[index].header : nullptr;
    }
};

bool CLAP_ABI tryPush(const clap_output_events_t* list, const clap_event_header_t* e)
{
    auto* out = static_cast<std::vector<ClapInstance::Output>*>(list->ctx);
    if (out->size() == out->capacity()) // the host allocates nothing while processing
        return false;
    if (e->type == CLAP_EVENT_PARAM_VALUE)
    {
        const auto* v = reinterpret_cast<const clap_event_param_value_t*>(e);
        out->push_back({e->type, v->param_id, v->value});
    }
    else if (e->type == CLAP_EVENT_PARAM_GESTURE_BEGIN || e->type == CLAP_EVENT_PARAM_GESTURE_END)
        out->push_back({e->type, reinterpret_cast<const clap_event_param_gesture_t*>(e)->param_id, 0.0});
    return true;
}

struct Writer
{
    std::vector<uint8_t> bytes;
    static int64_t CLAP_ABI write(const clap_ostream_t* s, const void* data, uint64_t size)
    {
        auto* w = static_cast<Writer*>(s->ctx);
        const auto* p = static_cast<const uint8_t*>(data);
        w->bytes.insert(w->bytes.end(), p, p + size);
        return int64_t(size);
    }
};

struct Reader
{
    const std::vector<uint8_t>* bytes;
    std::size_t at = 0;
    static int64_t CLAP_ABI read(const clap_istream_t* s, void* data, uint64_t size)
    {
        auto* r = static_cast<Reader*>(s->ctx);
        const std::size_t n = std::min<std::size_t>(size_t(size), r->bytes->size() - r->at);
        std::memcpy(data, r->bytes->data() + r->at, n);
        r->at += n;
        return int64_t(n);
    }
};

// Host extensions the plug-in may ask for.
bool CLAP_ABI registerTimer(const clap_host_t* host, uint32_t, clap_id* id);
bool CLAP_ABI unregisterTimer(const clap_host_t* host, clap_id id);
const clap_host_timer_support_t kTimers = {registerTimer, unregisterTimer};

void CLAP_ABI resizeHintsChanged(const clap_host_t*) {}
bool CLAP_ABI requestResize(const clap_host_t* host, uint32_t w, uint32_t h)
{
    self(host)->requestedWidth = w;
    self(host)->requestedHeight = h;
    return true;
}
bool CLAP_ABI requestShowHide(const clap_host_t*) { return true; }
void CLAP_ABI guiClosed(const clap_host_t*, bool) {}
const clap_host_gui_t kGui = {resizeHintsChanged, requestResize, requestShowHide, requestShowHide, guiClosed};

void CLAP_ABI rescan(const clap_host_t*, clap_param_rescan_flags) {}
void CLAP_ABI clear(const clap_host_t*, clap_id, clap_param_clear_flags) {}
void CLAP_ABI requestFlush(const clap_host_t*) {}
const clap_host_params_t kParams = {rescan, clear, requestFlush};

void CLAP_ABI markDirty(const clap_host_t*) {}
const clap_host_state_t kState = {markDirty};
} // namespace

ClapModule::ClapModule(const std::string& path)
{
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
    {
        error_ = dlerror();
        return;
    }
    entry_ = static_cast<const clap_plugin_entry_t*>(dlsym(handle_, "clap_entry"));
    if (entry_ == nullptr || !entry_->init(path.c_str()))
    {
        error_ = "no clap_entry, or its init failed";
        entry_ = nullptr;
        return;
    }
    factory_ = static_cast<const clap_plugin_factory_t*>(entry_->get_factory(CLAP_PLUGIN_FACTORY_ID));
    if (factory_ == nullptr)
        error_ = "no plug-in factory";
}

ClapModule::~ClapModule()
{
    if (entry_)
        entry_->deinit();
    if (handle_)
        dlclose(handle_);
}

ClapInstance::ClapInstance(const ClapModule& module, const char* id)
{
    host_.clap_version = CLAP_VERSION;
    host_.host_data = this;
    host_.name = "qor-test-host";
    host_.vendor = "Qorwerk";
    host_.url = "";
    host_.version = "1";
    host_.get_extension = hostExtension;
    outputs.reserve(1024);
    host_.request_restart = [](const clap_host_t*) {};
    host_.request_process = [](const clap_host_t*) {};
    host_.request_callback = [](const clap_host_t*) {};
    plugin_ = module.factory()->create_plugin(module.factory(), &host_, id);
    if (plugin_ != nullptr && !plugin_->init(plugin_))
    {
        plugin_->destroy(plugin_);
        plugin_ = nullptr;
    }
}

ClapInstance::~ClapInstance()
{
    if (plugin_ == nullptr)
        return;
    deactivate();
    plugin_->destroy(plugin_);
}

const void* CLAP_ABI ClapInstance::hostExtension(const clap_host_t*, const char* id)
{
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0)
        return &kTimers;
    if (std::strcmp(id, CLAP_EXT_GUI) == 0)
        return &kGui;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0)
        return &kParams;
    if (std::strcmp(id, CLAP_EXT_STATE) == 0)
        return &kState;
    return nullptr;
}

namespace
{
bool CLAP_ABI registerTimer(const clap_host_t* host, uint32_t, clap_id* id)
{
    *id = self(host)->addTimer();
    return true;
}
bool CLAP_ABI unregisterTimer(const clap_host_t* host, clap_id id) { return self(host)->removeTimer(id); }
} // namespace

bool ClapInstance::activate(double rate, uint32_t maxFrames)
{
    deactivate();
    active_ = plugin_->activate(plugin_, rate, 1, maxFrames);
    if (active_)
        processing_ = plugin_->start_processing(plugin_);
    return active_ && processing_;
}

void ClapInstance::deactivate()
{
    if (processing_)
        plugin_->stop_processing(plugin_);
    if (active_)
        plugin_->deactivate(plugin_);
    processing_ = active_ = false;
}

bool ClapInstance::process(std::vector<std::vector<float>>& in, std::vector<std::vector<float>>& out, uint32_t frames,
                           const std::vector<std::pair<clap_id, double>>& values)
{
    std::array<float*, 8> inPtr{}, outPtr{};
    for (std::size_t c = 0; c < in.size() && c < 8; ++c)
        inPtr[c] = in[c].data();
    for (std::size_t c = 0; c < out.size() && c < 8; ++c)
        outPtr[c] = out[c].data();
    clap_audio_buffer_t inBuffer{inPtr.data(), nullptr, uint32_t(std::min<std::size_t>(in.size(), 8)), 0, 0};
    clap_audio_buffer_t outBuffer{outPtr.data(), nullptr, uint32_t(std::min<std::size_t>(out.size(), 8)), 0, 0};
    EventList list;
    for (const auto& [id, v] : values)
    {
        if (list.count == list.events.size())
            break;
        clap_event_param_value_t e{};
        e.header = {sizeof e, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
        e.param_id = id;
        e.note_id = -1;
        e.port_index = e.channel = e.key = -1;
        e.value = v;
        list.events[list.count++] = e;
    }
    const clap_input_events_t inEvents{&list, EventList::size, EventList::get};
    outputs.clear();
    const clap_output_events_t outEvents{&outputs, tryPush};
    clap_process_t p{};
    p.steady_time = steady_;
    p.frames_count = frames;
    p.audio_inputs = &inBuffer;
    p.audio_outputs = &outBuffer;
    p.audio_inputs_count = 1;
    p.audio_outputs_count = 1;
    p.in_events = &inEvents;
    p.out_events = &outEvents;
    steady_ += frames;
    return plugin_->process(plugin_, &p) != CLAP_PROCESS_ERROR;
}

double ClapInstance::value(clap_id id) const
{
    double v = -1.0;
    extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)->get_value(plugin_, id, &v);
    return v;
}

std::string ClapInstance::text(clap_id id, double value) const
{
    char buffer[64] = {};
    if (!extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)->value_to_text(plugin_, id, value, buffer, sizeof buffer))
        return "<none>";
    return buffer;
}

std::vector<uint8_t> ClapInstance::saveState() const
{
    Writer w;
    const clap_ostream_t stream{&w, Writer::write};
    if (!extension<clap_plugin_state_t>(CLAP_EXT_STATE)->save(plugin_, &stream))
        return {};
    return w.bytes;
}

bool ClapInstance::loadState(const std::vector<uint8_t>& bytes)
{
    Reader r{&bytes};
    const clap_istream_t stream{&r, Reader::read};
    return extension<clap_plugin_state_t>(CLAP_EXT_STATE)->load(plugin_, &stream);
}

clap_id ClapInstance::addTimer()
{
    timers_.push_back(nextTimer_);
    return nextTimer_++;
}

bool ClapInstance::removeTimer(clap_id id)
{
    const auto at = std::find(timers_.begin(), timers_.end(), id);
    if (at == timers_.end())
        return false;
    timers_.erase(at);
    return true;
}

void ClapInstance::runTimers()
{
    auto* t = extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
    if (t == nullptr)
        return;
    for (clap_id id : timers_)
        t->on_timer(plugin_, id);
}

} // namespace qortest

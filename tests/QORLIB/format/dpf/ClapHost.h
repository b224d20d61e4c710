#pragma once

// A small CLAP host for the tests: loads a .clap, makes instances, processes audio with parameter
// events, saves and loads state and shows the GUI in a parent window. The CLAP headers are DPF's.

#include "clap/entry.h"
#include "clap/ext/audio-ports.h"
#include "clap/ext/gui.h"
#include "clap/ext/latency.h"
#include "clap/ext/params.h"
#include "clap/ext/state.h"
#include "clap/ext/timer-support.h"
#include "clap/plugin-factory.h"
#include "clap/plugin-features.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qortest
{

class ClapModule
{
public:
    explicit ClapModule(const std::string& path);
    ~ClapModule();
    ClapModule(const ClapModule&) = delete;
    ClapModule& operator=(const ClapModule&) = delete;

    bool ok() const { return factory_ != nullptr; }
    const std::string& error() const { return error_; }
    const clap_plugin_factory_t* factory() const { return factory_; }

private:
    void* handle_ = nullptr;
    const clap_plugin_entry_t* entry_ = nullptr;
    const clap_plugin_factory_t* factory_ = nullptr;
    std::string error_;
};

class ClapInstance
{
public:
    ClapInstance(const ClapModule& module, const char* id);
    ~ClapInstance();
    ClapInstance(const ClapInstance&) = delete;
    ClapInstance& operator=(const ClapInstance&) = delete;

    bool ok() const { return plugin_ != nullptr; }
    const clap_plugin_t* plugin() const { return plugin_; }
    template <typename T> const T* extension(const char* id) const
    {
        return static_cast<const T*>(plugin_->get_extension(plugin_, id));
    }

    bool activate(double rate, uint32_t maxFrames);
    void deactivate();
    // One block; every channel of in and out holds frames samples. Parameter values (plain) go
    // in as events at the block's start.
    bool process(std::vector<std::vector<float>>& in, std::vector<std::vector<float>>& out, uint32_t frames,
                 const std::vector<std::pair<clap_id, double>>& values = {});
    double value(clap_id id) const;
    // What the plug-in sent the host in the last block: gestures ("b4", "e4") and values ("v4").
    struct Output
    {
        uint16_t type;
        clap_id id;
        double value;
    };
    std::vector<Output> outputs;
    std::string text(clap_id id, double value) const;

    std::vector<uint8_t> saveState() const;
    bool loadState(const std::vector<uint8_t>& bytes);

    // The timers the plug-in registered, run once.
    void runTimers();
    std::size_t timerCount() const { return timers_.size(); }
    clap_id addTimer();
    bool removeTimer(clap_id id);
    // The last size the plug-in asked the host for (0 when none).
    uint32_t requestedWidth = 0, requestedHeight = 0;

private:
    static const void* CLAP_ABI hostExtension(const clap_host_t* host, const char* id);

    clap_host_t host_{};
    const clap_plugin_t* plugin_ = nullptr;
    bool active_ = false;
    bool processing_ = false;
    std::vector<clap_id> timers_;
    int64_t steady_ = 0;
    clap_id nextTimer_ = 1;
};

} // namespace qortest

#pragma once

// A small VST3 host for the tests on DPF's own VST3 interface headers: loads a bundle, makes a
// component with its edit controller and processor, processes audio with parameter changes,
// saves and loads state and shows the editor's view in a parent window.

#include "travesty/audio_processor.h"
#include "travesty/base.h"
#include "travesty/bstream.h"
#include "travesty/component.h"
#include "travesty/edit_controller.h"
#include "travesty/factory.h"
#include "travesty/host.h"
#include "travesty/message.h"
#include "travesty/view.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qortest
{

std::string utf8(const int16_t* text);

class Vst3Module
{
public:
    explicit Vst3Module(const std::string& bundle);
    ~Vst3Module();
    Vst3Module(const Vst3Module&) = delete;
    Vst3Module& operator=(const Vst3Module&) = delete;

    bool ok() const { return factory_ != nullptr; }
    const std::string& error() const { return error_; }
    v3_plugin_factory_cpp* factory() const { return *factory_; }
    v3_plugin_factory_cpp** factoryObject() const { return factory_; }
    // The audio module class: its id, name and category.
    bool findEffect(v3_class_info& info) const;

private:
    void* handle_ = nullptr;
    v3_plugin_factory_cpp** factory_ = nullptr;
    std::string error_;
};

// What the editor asked of the host: begin, perform and end edits, in order ("b3", "p3=0.5", "e3").
struct Vst3Edits
{
    std::vector<std::string> log;
};

class Vst3Instance
{
public:
    explicit Vst3Instance(const Vst3Module& module);
    ~Vst3Instance();
    Vst3Instance(const Vst3Instance&) = delete;
    Vst3Instance& operator=(const Vst3Instance&) = delete;

    bool ok() const { return component_ != nullptr && controller_ != nullptr && processor_ != nullptr; }
    v3_component_cpp* component() const { return *component_; }
    v3_edit_controller_cpp* controller() const { return *controller_; }
    void* controllerObject() const { return controller_; }
    void* componentObject() const { return component_; }

    bool activate(double rate, int32_t maxFrames);
    void deactivate();
    bool process(std::vector<std::vector<float>>& in, std::vector<std::vector<float>>& out, int32_t frames,
                 const std::vector<std::pair<v3_param_id, double>>& normalised = {});

    std::string text(v3_param_id id, double normalised) const;
    // The last values of the plug-in's output parameters, as the host received them.
    std::map<v3_param_id, double> outputValues;
    std::vector<uint8_t> saveState() const;
    bool loadState(const std::vector<uint8_t>& bytes);

    // The editor's view: attached to parent, timers of the host's run loop, detached.
    bool openView(unsigned long parent, int32_t& width, int32_t& height);
    void runTimers();
    void closeView();
    bool viewOpen() const { return view_ != nullptr; }
    int32_t requestedWidth = 0, requestedHeight = 0;
    Vst3Edits edits;

    struct Timer
    {
        v3_timer_handler** handler;
    };
    std::vector<Timer> timers;

private:
    v3_component_cpp** component_ = nullptr;
    v3_edit_controller_cpp** controller_ = nullptr;
    v3_audio_processor_cpp** processor_ = nullptr;
    v3_plugin_view_cpp** view_ = nullptr;
    bool active_ = false;
    void* handler_ = nullptr; // the component handler object
    void* frame_ = nullptr;   // the view's frame object
};

} // namespace qortest

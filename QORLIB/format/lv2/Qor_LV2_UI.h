#pragma once

#include "QORLIB/presets/QorInstancePresetHost.h"
#include "QORLIB/presets/QorLocalController.h"
#include "QORLIB/presets/QorPresetManager.h"

#include <lv2/ui/ui.h>

#include <array>
#include <memory>

namespace Qor_LV2
{

class EditorEngine;
class Plugin;

// The editor as an LV2 UI (X11): embedded in the host's parent window, or a window of its own
// through the show interface. Edits go to the host through the write function between touch
// gestures; port events come back to the controls; the gain_reduction port drives the needle.
// The preset manager is the plug-in instance's when the host grants instance access, else one
// of the UI's own. All on the host's UI (main) thread.
class UI : public QorLocalController
{
public:
    struct HostInterface
    {
        LV2UI_Write_Function write = nullptr;
        LV2UI_Controller controller = nullptr;
        LV2UI_Resize* resize = nullptr;
        const LV2UI_Touch* touch = nullptr;
        unsigned long parent = 0;  // X11 window id; 0: no embedding
        Plugin* instance = nullptr; // instance access
        float scaleFactor = 0.0f;   // the host's ui:scaleFactor, 0 when none
        bool stereo = true;
    };

    explicit UI(const HostInterface& host);
    ~UI() override;
    UI(const UI&) = delete;
    UI& operator=(const UI&) = delete;

    // Opens the editor (embedded when the host gave a parent); false when no window could be made.
    bool open();
    void close();
    bool isOpen() const;
    // The X11 window to hand to the host as the widget.
    unsigned long windowId() const;
    void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    // Handles the window's events and timers; 1 once the user closed a window of its own.
    int idle();
    EditorEngine* engine() const { return engine_.get(); }
    QorPresetManager& presets() { return *presets_; }

    // From the editor engine.
    void editorEdit(int32_t index, double value);
    // A user's gesture on a parameter: ui:touch true at its start, false at its end.
    void editorBeginEdit(int32_t index);
    void editorEndEdit(int32_t index);
    void editorResized();

    // From the preset manager (its host interface): a loaded preset's values and notifications.
    void parameterChanged(int32_t index, double value) override;

private:
    void writePort(uint32_t port, float value);

    HostInterface host_;
    QorInstancePresetHost ownHost_;
    std::unique_ptr<QorPresetManager> ownPresets_; // without instance access
    QorPresetManager* presets_ = nullptr;
    std::unique_ptr<EditorEngine> engine_;
    std::array<bool, 8> touching_{};     // inside a user's gesture
    std::array<float, 8> lastWritten_{}; // of the open gesture
    int lastWidth_ = 0;
    int lastHeight_ = 0;
    bool sizeRepeated_ = false;
};

} // namespace Qor_LV2

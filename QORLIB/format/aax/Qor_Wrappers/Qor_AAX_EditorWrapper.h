#pragma once

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_EditorLink.h"
#include "QORLIB/gui/presetbar/QorVSTGUIEditorWrapperV4_PresetBar.h"

#include <cstdint>
#include <functional>

class Qor_AAX_ControllerWrapper;
class Qor_KXRB_2220_Qor_AAXWrapper_GUI;

// The product editor with its preset bar as an AAX host shows it: edits of host parameters go
// to the host's automation (touch, set, release) and come back as the host's echo, editor-side
// values go through the bridge towards the processor, the editor's size goes to the host's view
// container, and clicks on host parameters are offered to the host's shortcuts. Main thread.
class Qor_AAX_EditorWrapper : public Qorwerk::QorVSTGUIEditorWrapperV4_PresetBar, public Qor_AAX_EditorLink
{
public:
    // AAX modifier bits for HandleParameterMouseDown.
    enum Modifier : uint32_t
    {
        kModShift = 1,
        kModWindows = 2,
        kModAlt = 4,
        kModControl = 8,
        kModSecondaryButton = 16,
    };
    // Ctrl, Alt and the Windows key held together.
    static constexpr uint32_t kModAllThree = kModWindows | kModAlt | kModControl;
    // Modifier keys held now (toolkit flags kControl, kAlt, kSystemKey).
    using KeyboardReader = std::function<uint32_t()>;

    Qor_AAX_EditorWrapper();
    ~Qor_AAX_EditorWrapper() override;

    // Opens the editor in the host's window; window 0 opens it offscreen (a host without a
    // display, and tests). False when the window cannot be made.
    bool attach(unsigned long parentWindow);
    void detach();

    void link(Qor_AAX_ControllerWrapper* bridge, Qor_KXRB_2220_Qor_AAXWrapper_GUI* gui);
    Qor_AAX_ControllerWrapper* bridge() const { return bridge_; }
    Qor_KXRB_2220_Qor_AAXWrapper_GUI* gui() const { return gui_; }
    // Size last reported to the host (left, top, right, bottom); all -1 before the first report.
    const double* viewRect() const { return viewRect_; }
    void setViewRect(double left, double top, double right, double bottom);
    // The frame's rectangle in device pixels; while closed, the size it would open with.
    void frameRect(double rect[4]) const;

    // Replaces the keyboard (tests); an empty reader restores the window's own.
    void setKeyboardReader(KeyboardReader reader) { keyboard_ = std::move(reader); }
    // The AAX modifiers for a click with the toolkit's button state, keyboard read now.
    uint32_t hostModifiers(uint32_t buttons) const;

    void sendParameter(int32_t index, double value) override;
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;
    void resize(int32_t width, int32_t height) override;
    void setResizeBatch(bool open) override;
    int32_t parameterMouseDown(int32_t index, uint32_t buttons) override;
    void forwardParameter(int32_t index, double value) override;
    // The bridge's view of the editor: its toolkit frame, null while closed.
    void* getFrame() override;
    Qorwerk::QorFrame* frame() const { return QorVSTGUIEditorWrapperV1::getFrame(); }

private:
    uint32_t heldKeys() const;
    void reportSize();

    Qor_AAX_ControllerWrapper* bridge_ = nullptr;
    Qor_KXRB_2220_Qor_AAXWrapper_GUI* gui_ = nullptr;
    double viewRect_[4] = {-1.0, -1.0, -1.0, -1.0};
    KeyboardReader keyboard_;
};

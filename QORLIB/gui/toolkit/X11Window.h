#pragma once

#include "QORLIB/gui/toolkit/FramePlatform.h"

#include <csignal>
#include <memory>
#include <string>

typedef struct _XDisplay Display;
typedef struct _cairo_surface cairo_surface_t;

namespace qortk
{

class Frame;
class X11InputMethod;

// A frame shown in an X11 window: a top-level window of its own, or a child of a window that
// a host gives. The window is painted from a back buffer, only where the frame is invalid.
// Hosts call idle() regularly; a program of its own runs runLoop() until the window closes.
class X11Window : public FramePlatform
{
public:
    // parent 0 makes a top-level window with the title. nullptr (and the reason in error) when
    // no display can be opened or the parent window does not exist.
    static std::unique_ptr<X11Window> create(Frame& frame, unsigned long parent, const std::string& title,
                                             std::string* error = nullptr);
    ~X11Window() override;

    // WM_CLASS of the top-level windows made from now on (instance and class name).
    static void setWindowClass(const std::string& resName, const std::string& resClass);
    // The title of a top-level window (UTF-8).
    void setTitle(const std::string& title);

    void frameResized(int deviceWidth, int deviceHeight) override;
    bool queryPointer(Point& device, uint32_t& buttons) override;
    bool queryHeldKeys(uint32_t& modifiers) override;
    // Mapped and under the pointer: a host may show only part of a large editor, and the
    // pointer over the hidden part is over the host's window, not ours (no hints there).
    bool isActive() const override { return mapped_ && pointerInside_; }

    // Handles waiting events, fires due timers and repaints what is invalid.
    void idle();
    // idle() until the user closes the top-level window, stop() is called or the flag (set by
    // a signal handler, say) becomes non-zero; returns 0.
    int runLoop(const volatile std::sig_atomic_t* interrupted = nullptr);
    // Longest sleep of runLoop(); bounds how late it sees the flag set by a signal that came
    // just before it slept.
    static constexpr int kMaxWaitMs = 500;
    void stop() { closeRequested_ = true; }
    bool closeRequested() const { return closeRequested_; }
    unsigned long windowId() const { return window_; }
    Display* display() const { return display_; }
    // Waits (at most the given time) until the window is mapped and painted once.
    bool waitUntilShown(int timeoutMs);

private:
    X11Window(Frame& frame, Display* display);
    bool open(unsigned long parent, const std::string& title, std::string* error);
    void setIdentity();
    void handleEvent(void* xevent);
    void paint();
    // Our window is gone (with the host's parent, say): never touch it again.
    void windowDestroyed();
    void copyToWindow(double x, double y, double w, double h);
    uint32_t pressFlags(int button, unsigned state, unsigned long timeMs, int x, int y);
    void trackPointer(int x, int y, unsigned state);
    void trackModifierKey(unsigned keycode, unsigned state, bool down);
    void trackKeymap(const char* keys);

    Frame& frame_;
    Display* display_;
    std::unique_ptr<X11InputMethod> input_;
    unsigned long window_ = 0;
    unsigned long parent_ = 0;
    unsigned long deleteAtom_ = 0;
    cairo_surface_t* windowSurface_ = nullptr;
    cairo_surface_t* backBuffer_ = nullptr;
    int width_ = 1;
    int height_ = 1;
    unsigned long lastPressTime_ = 0;
    int lastPressButton_ = 0;
    int lastPressX_ = 0;
    int lastPressY_ = 0;
    bool mapped_ = false;
    bool pointerInside_ = false; // between EnterNotify and LeaveNotify
    bool painted_ = false;
    bool closeRequested_ = false;
    bool windowGone_ = false;
    // Pointer, buttons and modifier keys as the last events left them.
    bool pointerKnown_ = false;
    Point pointer_;
    uint32_t pointerButtons_ = 0;
    uint32_t modifiers_ = 0;
    unsigned modifierKeyCodes_[6] = {};
    static std::string resName_;
    static std::string resClass_;
};

} // namespace qortk

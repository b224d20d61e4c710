#pragma once

#include "QORLIB/gui/toolkit/Point.h"

#include <cstdint>

namespace qortk
{

// What a frame needs from the window system that shows it (an offscreen surface, an X11
// window). The frame owns its platform.
class FramePlatform
{
public:
    virtual ~FramePlatform() = default;
    // The frame's size in device pixels changed (also called once when the platform is set).
    virtual void frameResized(int deviceWidth, int deviceHeight) = 0;
    // Something became invalid; the platform repaints at its next chance.
    virtual void frameInvalidated() {}
    // Pointer in device pixels and the held buttons and modifiers; false when unknown.
    virtual bool queryPointer(Point& /*device*/, uint32_t& /*buttons*/) { return false; }
    // Modifier keys held down now, read from the keyboard itself (not from an event): kControl,
    // kAlt and kSystemKey each set when its left or right key is down; false when unknown.
    virtual bool queryHeldKeys(uint32_t& /*modifiers*/) { return false; }
    // Whether the window is shown and in use (the frame shows hints only then).
    virtual bool isActive() const { return true; }
};

} // namespace qortk

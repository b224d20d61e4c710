#include "QORLIB/gui/toolkit/XErrorTrap.h"

#include <X11/Xlib.h>

#include <atomic>
#include <mutex>

namespace qortk
{
namespace
{
// Read by the handler on whatever thread Xlib reports an error (the host may run displays of its
// own on other threads), so the table is lock-free; changes happen under the mutex.
constexpr int kSlots = 64;
std::atomic<Display*> gDisplays[kSlots];
std::atomic<int> gLastError[kSlots];
std::atomic<XErrorHandler> gPrevious{nullptr};
std::atomic<long> gSwallowed{0};
std::mutex gLock;
int gAdopted = 0;
thread_local int gPassing = 0;

int slotOf(Display* display)
{
    for (int i = 0; i < kSlots; ++i)
        if (gDisplays[i].load() == display)
            return i;
    return -1;
}

int chainedHandler(Display* display, XErrorEvent* event)
{
    if (display != nullptr)
    {
        const int slot = slotOf(display);
        if (slot >= 0)
        {
            gLastError[slot] = event->error_code;
            ++gSwallowed;
            return 0;
        }
    }
    // A handler installed after ours that passes errors back to us would send them round in
    // a circle: it has seen this one already.
    if (gPassing > 0)
        return 0;
    const XErrorHandler previous = gPrevious.load();
    if (previous == nullptr || previous == chainedHandler)
        return 0;
    ++gPassing;
    const int result = previous(display, event);
    --gPassing;
    return result;
}
} // namespace

void XErrorTrap::adopt(Display* display)
{
    if (display == nullptr)
        return;
    std::lock_guard<std::mutex> lock(gLock);
    if (slotOf(display) >= 0)
        return;
    const int free = slotOf(nullptr);
    if (free < 0)
        return; // more windows than slots: they still open, unprotected
    gLastError[free] = 0;
    gDisplays[free] = display;
    if (gAdopted++ == 0)
    {
        const XErrorHandler before = XSetErrorHandler(chainedHandler);
        if (before != chainedHandler)
            gPrevious = before;
    }
}

void XErrorTrap::release(Display* display)
{
    std::lock_guard<std::mutex> lock(gLock);
    const int slot = display ? slotOf(display) : -1;
    if (slot < 0)
        return;
    gDisplays[slot] = nullptr;
    if (--gAdopted > 0)
        return;
    const XErrorHandler previous = gPrevious.load();
    if (previous == nullptr)
        return;
    const XErrorHandler current = XSetErrorHandler(previous);
    if (current != chainedHandler)
        XSetErrorHandler(current); // installed after ours: the host's choice stands
}

void XErrorTrap::closeDisplay(Display* display)
{
    if (display == nullptr)
        return;
    const XErrorHandler current = XSetErrorHandler(chainedHandler);
    XCloseDisplay(display);
    if (current != chainedHandler)
        XSetErrorHandler(current);
    release(display);
}

int XErrorTrap::takeError(Display* display)
{
    const int slot = slotOf(display);
    return slot >= 0 ? gLastError[slot].exchange(0) : 0;
}

long XErrorTrap::swallowed() { return gSwallowed.load(); }

XErrorTrap::Scope::Scope(Display* display) : display_(display)
{
    const XErrorHandler current = XSetErrorHandler(chainedHandler);
    if (current != chainedHandler)
        replaced_ = reinterpret_cast<AnyHandler>(current);
}

XErrorTrap::Scope::~Scope()
{
    if (replaced_ == nullptr)
        return;
    XSync(display_, False);
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(replaced_));
}

} // namespace qortk

#pragma once

typedef struct _XDisplay Display;

namespace qortk
{

// Xlib has one error handler per process, shared with the host and whatever else it loaded,
// and its default handler ends the process. Our windows each have a display connection of
// their own: errors on those connections are ours (a window that died with the host's
// parent, say) and are swallowed here; every other error goes on to the handler that was
// installed before ours.
class XErrorTrap
{
public:
    // The first adopted display installs the handler; the last one released puts the previous
    // handler back, unless someone installed another since (theirs then stays).
    static void adopt(Display* display);
    // Closes an adopted display with our handler listening (closing still reports errors) and
    // releases it.
    static void closeDisplay(Display* display);
    static void release(Display* display);
    // The last error code seen on an adopted display since the previous call, 0 for none.
    static int takeError(Display* display);
    // How many errors on our displays were swallowed since the process started.
    static long swallowed();

    // Makes sure our handler is the current one around calls that may touch a window the host
    // owns or has destroyed, even when the host installed a handler of its own after ours; at
    // the end waits for the server's answers, so that those errors arrive while we still listen,
    // and puts the host's handler back. Costs nothing while our handler is the current one.
    class Scope
    {
    public:
        explicit Scope(Display* display);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        using AnyHandler = int (*)(Display*, void*);
        Display* display_;
        AnyHandler replaced_ = nullptr;
    };
};

} // namespace qortk

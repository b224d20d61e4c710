#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Starts a program found on PATH with posix_spawnp (never through a shell, so no argument is
// ever interpreted), optionally capturing its standard output. Main thread only.
//
// run() waits; start() returns at once and hands the child's end to poll(), which the editor's
// idle calls, so that a dialog or an opener never holds up the thread that asked for it.
class QorProcessRunner
{
public:
    struct Result
    {
        bool started = false;
        bool exited = false; // false when still running after the timeout, or reaped by the host
        int exitStatus = -1; // valid when exited; 128 + signal number for a killed child
        std::string output;  // standard output, when captured
    };
    using Done = std::function<void(const Result& result)>;

    // What becomes of a started child whose owner goes away before it ends.
    enum class WhenAbandoned
    {
        kLetRun, // an opener may have launched the user's browser or file manager: keep it
        kKill,   // a dialog whose answer nobody would read
    };

    // timeoutMs < 0 waits for the end; captured output is read to its end regardless. A child
    // still running after the timeout is left to run and reaped by a later call.
    static Result run(const std::vector<std::string>& argv, bool captureOutput, int timeoutMs);

    // Starts argv without waiting. done (may be empty) runs from a later poll() once the child
    // has ended, or with started == false when it could not be started. owner names who asked,
    // for abandon(); it may be null.
    static void start(const std::vector<std::string>& argv, bool captureOutput, const void* owner,
                      WhenAbandoned whenAbandoned, Done done);
    // Called by every start(): whoever runs poll() learns that it has something to wait for.
    static void onStart(std::function<void()> started);
    // Never blocks: reaps ended children, collects their output and runs their callbacks.
    static void poll();
    // Forgets the callbacks of owner's children (kills those started with kKill); they are still
    // reaped. Call it before the owner goes.
    static void abandon(const void* owner);
    // Children started and not yet reaped (all of them with a null owner), and those of owner.
    static std::size_t pending(const void* owner = nullptr);

    // True when an executable of that name is on PATH.
    static bool onPath(const std::string& program);

    // True when a graphical session is reachable (DISPLAY or WAYLAND_DISPLAY set).
    static bool haveDisplay();
};

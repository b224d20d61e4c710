#pragma once

#include <string>
#include <vector>

// Starts a program found on PATH with posix_spawnp (never through a shell, so no argument is
// ever interpreted), optionally capturing its standard output. Main thread only.
class QorProcessRunner
{
public:
    struct Result
    {
        bool started = false;
        bool exited = false; // false when still running after the timeout
        int exitStatus = -1; // valid when exited; 128 + signal number for a killed child
        std::string output;  // standard output, when captured
    };

    // timeoutMs < 0 waits for the end; captured output is read to its end regardless. A child
    // still running after the timeout is left to run and reaped by a later call.
    static Result run(const std::vector<std::string>& argv, bool captureOutput, int timeoutMs);

    // True when an executable of that name is on PATH.
    static bool onPath(const std::string& program);

    // True when a graphical session is reachable (DISPLAY or WAYLAND_DISPLAY set).
    static bool haveDisplay();
};

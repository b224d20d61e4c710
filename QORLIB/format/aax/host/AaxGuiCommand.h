#pragma once

#include <string>

namespace CLI
{
class App;
}

// qor-aax-host gui: the editor of an instance that plays an audio file in a loop at real-time
// pace, in a host window, until the window is closed or the program is interrupted.
struct AaxGuiOptions
{
    std::string input;
    std::string saveDir;     // the state chunks are kept here at the end
    double seconds = 0.0;    // close by itself after this long (0: when the user closes it)
    bool offscreen = false;  // no window (the editor draws offscreen); needs --seconds
    bool quiet = false;      // no automation log
};

CLI::App* addAaxGuiCommand(CLI::App& app, AaxGuiOptions& options);
int runAaxGuiCommand(const std::string& module, bool verbose, const AaxGuiOptions& options);

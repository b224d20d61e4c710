#pragma once

#include "QORLIB/gui/toolkit/X11Window.h"
#include "tests/support/ChildProcess.h"

#include <string>
#include <vector>

#include <unistd.h>

namespace qortest
{
// Runs xdotool while the window keeps handling its events. Pumped every millisecond: xdotool
// binds characters outside the keymap to a spare key only for the moment of the key press, and
// the key must be read while the binding holds.
inline bool xdotoolInWindow(qortk::X11Window& window, const std::vector<std::string>& args)
{
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    const int code = runPumping(argv, [&] {
        window.idle();
        usleep(1000);
    });
    for (int i = 0; i < 20; ++i) // the last events
    {
        window.idle();
        usleep(5000);
    }
    return code == 0;
}
} // namespace qortest

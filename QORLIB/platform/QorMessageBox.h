#pragma once

#include <functional>
#include <string>

// An error message that does not hold up the caller: zenity or kdialog when a desktop is
// reachable (reaped by QorProcessRunner::poll()), else one line on the
// standard error stream. Main thread only.
class QorMessageBox
{
public:
    using Handler = std::function<void(const std::string& text, const std::string& caption)>;

    static void show(const std::string& text, const std::string& caption);

    // Replaces the real message box (tests); an empty handler restores it.
    static Handler setHandler(Handler handler);
};

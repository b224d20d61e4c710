#pragma once

#include <functional>
#include <string>

// Opens a folder, document or web address with the desktop's default application (xdg-open)
// without waiting for it. Main thread only.
class QorShell
{
public:
    // opened: the opener started and did not report a failure.
    using Done = std::function<void(bool opened)>;
    using Handler = std::function<bool(const std::string& target)>;

    // Returns at once; done (may be empty) runs from QorProcessRunner::poll() when the opener has
    // ended. owner is for QorProcessRunner::abandon(); the opener itself is never killed, as it
    // may be the user's browser by then.
    static void open(const std::string& target, const void* owner = nullptr, Done done = {});

    // Replaces the real opener (tests): it is asked at once and done runs before open() returns.
    // An empty handler restores the real one. Returns the previous one.
    static Handler setHandler(Handler handler);
};

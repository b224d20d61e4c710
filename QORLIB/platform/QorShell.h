#pragma once

#include <functional>
#include <string>

// Opens a folder, document or web address with the desktop's default application (xdg-open).
// Main thread only.
class QorShell
{
public:
    using Handler = std::function<bool(const std::string& target)>;

    // True when the opener started and did not report a failure.
    static bool open(const std::string& target);

    // Replaces the real opener (tests); an empty handler restores it. Returns the previous one.
    static Handler setHandler(Handler handler);
};

#pragma once

#include <functional>
#include <string>

// A save-file dialog (zenity or kdialog) that does not hold up the caller: the answer comes back
// through QorProcessRunner::poll(). Without a desktop or either tool it says so on the standard
// error stream and counts as cancelled. Main thread only.
class QorSaveDialog
{
public:
    struct Request
    {
        std::string title;
        std::string folder;          // initial folder
        std::string defaultName;     // file name proposed in it
        std::string typeDescription; // e.g. "Qor Preset"
        std::string extension;       // without the dot, e.g. "qor"
    };
    // chosen: the user confirmed exactly one path, which is then in path.
    using Done = std::function<void(bool chosen, const std::string& path)>;
    using Handler = std::function<bool(const Request& request, std::string& path)>;

    // Shows the dialog and returns at once. done runs once, later, from the poll; a dialog whose
    // owner is abandoned (QorProcessRunner::abandon) is closed and done never runs.
    static void start(const Request& request, const void* owner, Done done);

    // Whether start() can ask the user at all: a replacement handler, or a desktop with zenity or
    // kdialog.
    static bool available();

    // Replaces the real dialog (tests): it is asked at once and done runs before start()
    // returns. An empty handler restores the real one.
    static Handler setHandler(Handler handler);
};

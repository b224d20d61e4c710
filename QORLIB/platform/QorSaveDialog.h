#pragma once

#include <functional>
#include <string>

// A save-file dialog (zenity or kdialog). Without a desktop or either tool it says so on the
// standard error stream and counts as cancelled. Main thread only.
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
    using Handler = std::function<bool(const Request& request, std::string& path)>;

    // True when the user confirmed exactly one path, which is then in path.
    static bool run(const Request& request, std::string& path);

    // Whether run() can ask the user at all: a replacement handler, or a desktop with zenity or
    // kdialog.
    static bool available();

    // Replaces the real dialog (tests); an empty handler restores it.
    static Handler setHandler(Handler handler);
};

#pragma once

#include <string>

// Opening a file for reading only when it is a regular file (a link to one counts). A FIFO, a
// device or a folder is refused without blocking: opening a FIFO for reading would otherwise wait
// for a writer forever, and a plug-in must never hang its host over a strange file in its folders.
class QorRegularFile
{
public:
    enum class Status
    {
        Ok,
        NotFound,   // missing, or a path through something that is not a folder
        NotRegular, // a FIFO, device, socket or folder
        Error,      // any other failure; errno tells which
    };

    // The descriptor (blocking, close-on-exec) or -1 with status set.
    static int openForReading(const std::string& path, Status& status);

    // Words for a status that was not Ok, for messages: "no such file", "not a regular file", ...
    static std::string describe(Status status, int error);
};

#pragma once

#include "QORLIB/platform/QorPendingFile.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// The files one command writes. All are checked before anything is written: none may be the same
// file as an input or as another output (compared as files, so other paths and links count), and
// none may be an existing FIFO, device or folder. Each is prepared beside its target and all are
// put in place together at commit; until then every old file stays as it was.
class OutputFiles
{
public:
    struct Named
    {
        std::string what; // "OUT", "--report", ...
        std::string path;
    };

    // Throws CliError on the first output that may not be written.
    static void check(const std::vector<Named>& outputs, const std::vector<Named>& inputs);

    // A pending file for path; throws CliError when it cannot be begun.
    QorPendingFile& begin(const std::string& path);
    // A pending file holding bytes, flushed; throws CliError.
    void add(const std::string& path, const std::vector<uint8_t>& bytes);
    // Every file begun, finished by the caller; throws CliError and keeps the old files on failure.
    void commit();

private:
    std::deque<QorPendingFile> files_; // a deque keeps references stable as files are added
};

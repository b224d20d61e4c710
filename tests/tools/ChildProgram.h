#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qortest
{

// Limits set in the child between fork and exec, where they hold for the program alone.
struct ChildLimits
{
    long fileSizeLimit = -1;     // RLIMIT_FSIZE in bytes; -1 leaves it
    bool ignoreFileSizeSignal = false; // SIGXFSZ ignored: writes fail with EFBIG instead of a kill
    long addressSpaceLimit = -1; // RLIMIT_AS in bytes; -1 leaves it (sanitizers need all of it)
    unsigned timeoutSeconds = 60; // SIGALRM ends a program that hangs
};

struct ChildResult
{
    int exitCode = -1; // -1 when the program did not exit normally
    int signal = 0;    // the signal that ended it, if one did
    std::string out, err;
};

ChildResult runChild(const std::vector<std::string>& argv,
                     const std::vector<std::pair<std::string, std::string>>& environment = {},
                     const ChildLimits& limits = {});

} // namespace qortest

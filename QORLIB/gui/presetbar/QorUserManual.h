#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Where the configuration menu's Manual button finds the user manual: the path an installer
// stored ("ManualPath"), else the manual that comes with the plug-in, looked for beside the
// module (an LV2 bundle's "manual" folder), in the doc folder of the prefix the program runs
// from, in the doc folder of the install prefix, and in the build tree.
class QorUserManual
{
public:
    // The stored path is read as at most this many characters (UTF-8 sequences count once).
    static constexpr size_t kMaxStoredCharacters = 1024;

    // The stored path when there is one (whether or not it exists), else the first shipped manual
    // that exists; empty when there is none.
    static std::string path();
    // The shipped manual's places, in the order they are tried.
    static std::vector<std::string> shippedCandidates();
};

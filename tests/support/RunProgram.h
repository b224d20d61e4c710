#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qortest
{

struct ProgramResult
{
    int exitCode = -1; // -1 when the program could not be started or did not exit normally
    std::string out, err;
};

// Runs a program (found on PATH when the name has no slash) without a shell, with extra
// environment variables, and collects its standard output and error.
ProgramResult runProgram(const std::vector<std::string>& argv,
                         const std::vector<std::pair<std::string, std::string>>& environment = {});

} // namespace qortest

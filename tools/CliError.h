#pragma once

#include <stdexcept>
#include <string>

// A problem with what the user asked for: one line on stderr and exit code 2.
class CliError : public std::runtime_error
{
public:
    explicit CliError(const std::string& what) : std::runtime_error(what) {}
};

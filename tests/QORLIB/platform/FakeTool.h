#pragma once

#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace qortest
{

// A folder of shell scripts standing in for desktop tools; put it first on PATH. Each script
// records its arguments, one per line, in <name>.args.
class FakeTools
{
public:
    // body runs after the arguments are recorded, e.g. "echo /tmp/x.qor; exit 0".
    void add(const std::string& name, const std::string& body)
    {
        const auto path = dir_.path() / name;
        std::ofstream(path) << "#!/bin/sh\n"
                            << "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                            << argsPath(name).string() << "'\n"
                            << body << "\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }
    // A stand-in that waits (at most 5 s) until release(name), then leaves a marker and runs
    // body: a caller that waited for the tool would only get back after passedGate(name). PATH
    // holds only the stand-ins, hence the full path of sleep.
    void addGated(const std::string& name, const std::string& body)
    {
        const std::string base = (dir_.path() / name).string();
        add(name, "i=0; while [ ! -e '" + base + ".go' ] && [ $i -lt 100 ]; do /bin/sleep 0.05; i=$((i+1)); done\n" +
                      ": > '" + base + ".done'\n" + body);
    }
    void release(const std::string& name) const { std::ofstream(dir_.path() / (name + ".go")) << ""; }
    bool passedGate(const std::string& name) const { return std::filesystem::exists(dir_.path() / (name + ".done")); }

    std::filesystem::path argsPath(const std::string& name) const
    {
        return dir_.path() / (name + ".args");
    }
    std::string args(const std::string& name) const
    {
        std::ifstream in(argsPath(name));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool ran(const std::string& name) const { return std::filesystem::exists(argsPath(name)); }
    std::string path() const { return dir_.path().string(); }

private:
    TempDir dir_{"qor-tools"};
};

} // namespace qortest

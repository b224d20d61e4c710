#include "tests/QORLIB/gui/toolkit/XvfbServer.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace
{
bool onPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string all = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= all.size())
    {
        const size_t end = std::min(all.find(':', start), all.size());
        if (access((all.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}
} // namespace

XvfbServer::XvfbServer()
{
    if (!onPath("Xvfb"))
    {
        reason_ = "Xvfb is not installed (Debian package xvfb)";
        return;
    }
    int display = -1;
    for (int n = 91; n < 200 && display < 0; ++n)
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
            !std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock"))
            display = n;
    if (display < 0)
    {
        reason_ = "no free X display number";
        return;
    }
    const std::string name = ":" + std::to_string(display);
    const char* argv[] = {"Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
    {
        reason_ = "cannot start Xvfb";
        return;
    }
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
    for (int i = 0; i < 100 && !std::filesystem::exists(socket); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (!std::filesystem::exists(socket))
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        reason_ = "Xvfb did not come up on " + name;
        return;
    }
    pid_ = pid;
    if (const char* old = std::getenv("DISPLAY"))
    {
        hadDisplay_ = true;
        oldDisplay_ = old;
    }
    setenv("DISPLAY", name.c_str(), 1);
}

XvfbServer::~XvfbServer()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    if (hadDisplay_)
        setenv("DISPLAY", oldDisplay_.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

#include "tests/QORLIB/gui/toolkit/XvfbServer.h"

#include "QORLIB/platform/QorProcessRunner.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
// Reads the display number that Xvfb writes once it accepts connections.
std::string readDisplay(int fd, int timeoutMs)
{
    std::string number;
    char c;
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, timeoutMs) > 0 && read(fd, &c, 1) == 1)
    {
        if (c == '\n')
            return number;
        number += c;
    }
    return {};
}
} // namespace

XvfbServer::XvfbServer()
{
    if (!QorProcessRunner::onPath("Xvfb"))
    {
        reason_ = "Xvfb is not installed (Debian package xvfb)";
        return;
    }
    // -displayfd lets Xvfb take a free display itself, so parallel test processes never share
    // (or fight over) one server.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
    {
        reason_ = "cannot make a pipe";
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3); // dup2 clears close-on-exec
    // A test that dies before it can stop the server must not leave ctest waiting on an output
    // pipe that the server still holds.
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // -noreset: by default the server resets when its last client leaves, and a test that
    // connects during the reset is refused.
    const char* argv[] = {"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
                          nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0)
    {
        close(fds[0]);
        reason_ = "cannot start Xvfb";
        return;
    }
    const std::string number = readDisplay(fds[0], 10000);
    close(fds[0]);
    if (number.empty())
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        reason_ = "Xvfb did not come up";
        return;
    }
    pid_ = pid;
    if (const char* old = std::getenv("DISPLAY"))
    {
        hadDisplay_ = true;
        oldDisplay_ = old;
    }
    std::string name = ":";
    name += number;
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

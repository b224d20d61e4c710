#include "QORLIB/platform/QorProcessRunner.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>
#include <unistd.h>

extern char** environ;

namespace
{
int statusOf(int raw)
{
    if (WIFEXITED(raw))
        return WEXITSTATUS(raw);
    if (WIFSIGNALED(raw))
        return 128 + WTERMSIG(raw);
    return -1;
}

// Waits up to timeoutMs (forever when negative); true when the child has ended.
bool waitFor(pid_t pid, int timeoutMs, int& status)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true)
    {
        int raw = 0;
        const pid_t r = ::waitpid(pid, &raw, timeoutMs < 0 ? 0 : WNOHANG);
        if (r == pid)
        {
            status = statusOf(raw);
            return true;
        }
        if (r < 0 && errno != EINTR)
            return true; // not our child any more; nothing left to wait for
        if (timeoutMs >= 0 && std::chrono::steady_clock::now() >= deadline)
            return false;
        if (r == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Children left running after a timeout; reaped on later calls. No thread is used for this, as
// a plug-in module may be unloaded while such a thread would still be waiting.
std::vector<pid_t>& stillRunning()
{
    static std::vector<pid_t> pids;
    return pids;
}

void reapFinished()
{
    auto& pids = stillRunning();
    for (std::size_t i = 0; i < pids.size();)
    {
        int raw = 0;
        const pid_t r = ::waitpid(pids[i], &raw, WNOHANG);
        if (r == 0)
            ++i;
        else
            pids.erase(pids.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

std::string readAll(int fd)
{
    std::string out;
    char buffer[4096];
    while (true)
    {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
}
} // namespace

QorProcessRunner::Result QorProcessRunner::run(const std::vector<std::string>& argv,
                                               bool captureOutput, int timeoutMs)
{
    Result result;
    reapFinished();
    if (argv.empty())
        return result;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    int pipeFds[2] = {-1, -1};
    if (captureOutput && ::pipe2(pipeFds, O_CLOEXEC) != 0)
        return result;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (captureOutput)
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (captureOutput)
        ::close(pipeFds[1]);
    if (spawned != 0)
    {
        if (captureOutput)
            ::close(pipeFds[0]);
        return result;
    }
    result.started = true;
    if (captureOutput)
    {
        result.output = readAll(pipeFds[0]);
        ::close(pipeFds[0]);
    }
    result.exited = waitFor(pid, timeoutMs, result.exitStatus);
    if (!result.exited)
        stillRunning().push_back(pid);
    return result;
}

bool QorProcessRunner::onPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr || program.empty() || program.find('/') != std::string::npos)
        return false;
    const std::string dirs = path;
    std::size_t start = 0;
    while (start <= dirs.size())
    {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
        if (::access((dir + "/" + program).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

bool QorProcessRunner::haveDisplay()
{
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != '\0') || (w != nullptr && *w != '\0');
}

#include "QORLIB/platform/QorProcessRunner.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
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

// Starts argv[0] from PATH with standard input from /dev/null and standard output into a pipe
// (outFd, non-blocking when asked) or /dev/null. Neither pipe end leaks into other children.
bool spawnChild(const std::vector<std::string>& argv, bool captureOutput, bool nonBlocking, pid_t& pid, int& outFd)
{
    outFd = -1;
    if (argv.empty())
        return false;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    if (captureOutput)
    {
        if (::pipe2(pipeFds, O_CLOEXEC) != 0)
            return false;
        if (nonBlocking && ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK) != 0)
        {
            ::close(pipeFds[0]);
            ::close(pipeFds[1]);
            return false;
        }
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (captureOutput)
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const int spawned = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (captureOutput)
    {
        ::close(pipeFds[1]);
        if (spawned == 0)
            outFd = pipeFds[0];
        else
            ::close(pipeFds[0]);
    }
    return spawned == 0;
}
} // namespace

QorProcessRunner::Result QorProcessRunner::run(const std::vector<std::string>& argv,
                                               bool captureOutput, int timeoutMs)
{
    Result result;
    reapFinished();
    pid_t pid = 0;
    int outFd = -1;
    if (!spawnChild(argv, captureOutput, false, pid, outFd))
        return result;
    result.started = true;
    if (outFd >= 0)
    {
        result.output = readAll(outFd);
        ::close(outFd);
    }
    result.exited = waitFor(pid, timeoutMs, result.exitStatus);
    if (!result.exited)
        stillRunning().push_back(pid);
    return result;
}

namespace
{
// A child started by start(): polled until it has ended and its callback has run.
struct Child
{
    pid_t pid = -1;
    int outFd = -1;
    const void* owner = nullptr;
    QorProcessRunner::WhenAbandoned whenAbandoned = QorProcessRunner::WhenAbandoned::kLetRun;
    QorProcessRunner::Done done;
    QorProcessRunner::Result result;
    bool ended = false;
};

void update(Child& c);
void closeOutput(Child& c);

// Children still running when the module goes are not waited for; those already ended are
// reaped so that the host is left no zombie of ours.
struct ChildList
{
    std::vector<Child> items;
    ~ChildList()
    {
        for (Child& c : items)
        {
            update(c);
            closeOutput(c);
        }
    }
};

std::vector<Child>& children()
{
    static ChildList list;
    return list.items;
}

std::function<void()>& startedHook()
{
    static std::function<void()> hook;
    return hook;
}

void closeOutput(Child& c)
{
    if (c.outFd >= 0)
        ::close(c.outFd);
    c.outFd = -1;
}

// Takes what the pipe holds now; closes it at its end.
void drain(Child& c)
{
    if (c.outFd < 0)
        return;
    char buffer[4096];
    while (true)
    {
        const ssize_t n = ::read(c.outFd, buffer, sizeof buffer);
        if (n > 0)
        {
            c.result.output.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || errno != EAGAIN)
            closeOutput(c);
        return;
    }
}

void update(Child& c)
{
    if (c.ended)
        return;
    drain(c);
    int raw = 0;
    const pid_t r = ::waitpid(c.pid, &raw, WNOHANG);
    if (r == 0 || (r < 0 && errno == EINTR))
        return;
    c.ended = true;
    // A host that ignores SIGCHLD has the child reaped for it: the end is known, its status not.
    c.result.exited = r == c.pid;
    c.result.exitStatus = r == c.pid ? statusOf(raw) : -1;
    // Output written just before the end is still in the pipe; a grandchild that keeps the
    // pipe open does not hold us up.
    drain(c);
    closeOutput(c);
}

} // namespace

void QorProcessRunner::start(const std::vector<std::string>& argv, bool captureOutput, const void* owner,
                             WhenAbandoned whenAbandoned, Done done)
{
    Child c;
    c.owner = owner;
    c.whenAbandoned = whenAbandoned;
    c.done = std::move(done);
    pid_t pid = 0;
    // A child that could not start has ended already; its answer comes through the next poll.
    c.ended = !spawnChild(argv, captureOutput, true, pid, c.outFd);
    c.pid = c.ended ? -1 : pid;
    c.result.started = !c.ended;
    children().push_back(std::move(c));
    if (startedHook())
        startedHook()();
}

void QorProcessRunner::onStart(std::function<void()> started) { startedHook() = std::move(started); }

void QorProcessRunner::poll()
{
    auto& list = children();
    for (Child& c : list)
        update(c);
    // One at a time, looked up afresh: a callback may start children or abandon other owners.
    while (true)
    {
        const auto it = std::find_if(list.begin(), list.end(), [](const Child& c) { return c.ended; });
        if (it == list.end())
            return;
        Child c = std::move(*it);
        list.erase(it);
        if (c.done)
            c.done(c.result);
    }
}

void QorProcessRunner::abandon(const void* owner)
{
    if (owner == nullptr)
        return;
    for (Child& c : children())
    {
        if (c.owner != owner)
            continue;
        c.owner = nullptr;
        c.done = nullptr;
        // Looked at first, so that a pid the system has already taken back is never signalled.
        update(c);
        if (!c.ended && c.whenAbandoned == WhenAbandoned::kKill)
            ::kill(c.pid, SIGTERM);
    }
}

std::size_t QorProcessRunner::pending(const void* owner)
{
    const auto& list = children();
    if (owner == nullptr)
        return list.size();
    return static_cast<std::size_t>(
        std::count_if(list.begin(), list.end(), [owner](const Child& c) { return c.owner == owner; }));
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

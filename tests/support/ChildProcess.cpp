#include "tests/support/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace qortest
{

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& outputFile)
{
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!outputFile.empty())
    {
        posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    pid_t pid = -1;
    if (!argv.empty() && posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess()
{
    int code;
    if (pid_ <= 0 || finished(code))
        return;
    // Asked first, so that a server (jackd) can unregister itself; killed when it does not end.
    kill(pid_, SIGTERM);
    if (!waitFor(3000, code))
    {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
    }
}

bool ChildProcess::finished(int& exitCode)
{
    if (pid_ <= 0)
        return true;
    if (!done_ && waitpid(pid_, &status_, WNOHANG) == pid_)
        done_ = true;
    if (done_)
        exitCode = WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    return done_;
}

bool ChildProcess::waitFor(int timeoutMs, int& exitCode)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!finished(exitCode))
    {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

int runPumping(const std::vector<std::string>& argv, const std::function<void()>& pump, int timeoutMs)
{
    ChildProcess child(argv);
    int code = -1;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!child.finished(code) && std::chrono::steady_clock::now() < end)
        pump();
    return child.finished(code) ? code : -1;
}

} // namespace qortest

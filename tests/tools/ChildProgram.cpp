#include "tests/tools/ChildProgram.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qortest
{

ChildResult runChild(const std::vector<std::string>& argv,
                     const std::vector<std::pair<std::string, std::string>>& environment,
                     const ChildLimits& limits)
{
    ChildResult result;
    int outPipe[2], errPipe[2];
    if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0)
        return result;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        ::dup2(outPipe[1], STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        for (const auto& [name, value] : environment)
            ::setenv(name.c_str(), value.c_str(), 1);
        if (limits.fileSizeLimit >= 0)
        {
            const rlimit l{rlim_t(limits.fileSizeLimit), rlim_t(limits.fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &l);
        }
        if (limits.addressSpaceLimit >= 0)
        {
            const rlimit l{rlim_t(limits.addressSpaceLimit), rlim_t(limits.addressSpaceLimit)};
            ::setrlimit(RLIMIT_AS, &l);
        }
        // Both survive exec: an ignored signal stays ignored, a pending alarm stays pending.
        std::signal(SIGXFSZ, limits.ignoreFileSizeSignal ? SIG_IGN : SIG_DFL);
        ::alarm(limits.timeoutSeconds);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0 && pid > 0)
    {
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i)
        {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0)
                sinks[i]->append(buffer, std::size_t(n));
            else if (n == 0 || errno != EINTR)
            {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& f : fds)
        if (f.fd >= 0)
            ::close(f.fd);
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid)
    {
        if (WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            result.signal = WTERMSIG(status);
    }
    return result;
}

} // namespace qortest

#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qortest
{

// A program started in the background (found on PATH), so that a test can keep its own event
// loop running while the program works. The destructor ends what still runs: SIGTERM first, so
// that a server (jackd) can unregister itself, SIGKILL after 3 s.
class ChildProcess
{
public:
    // outputFile: where its standard output and error go (empty: this process's own).
    explicit ChildProcess(const std::vector<std::string>& argv, const std::string& outputFile = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    int pid() const { return pid_; }
    // True once it has ended; its exit code (or -1 when killed by a signal) is then in exitCode.
    bool finished(int& exitCode);
    // Waits up to the time given; false when it is still running then.
    bool waitFor(int timeoutMs, int& exitCode);

private:
    int pid_ = -1;
    int status_ = -1;
    bool done_ = false;
};

// Runs a program (xdotool, say) while the caller's own loop keeps going: pump is called between
// checks until the program ends or timeoutMs have passed. Its exit code, -1 when it had to be ended.
int runPumping(const std::vector<std::string>& argv, const std::function<void()>& pump, int timeoutMs = 6000);

} // namespace qortest

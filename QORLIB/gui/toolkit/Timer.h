#pragma once

#include <cstdint>
#include <functional>

namespace qortk
{

// A repeating timer on the GUI thread. Timers fire from runDue(), which the window's event
// loop (or a host's idle call) runs; nothing fires on its own thread.
class Timer
{
public:
    Timer(uint32_t periodMs, std::function<void()> callback);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void start(); // first firing one period from now
    void stop();
    // Stopped until inputArrived() (or start()): a timer with nothing to do costs no wake-ups.
    void sleepUntilInput();
    bool isRunning() const { return running_; }
    uint32_t period() const { return period_; }

    // Fires every running timer whose time has come, once each; returns how many fired.
    static int runDue();
    // Milliseconds until the next timer is due (0 when one is due, -1 when none runs).
    static int msUntilNext();
    // The window's event loop reports that events arrived: sleeping timers start again.
    static void inputArrived();

private:
    uint32_t period_;
    uint32_t next_ = 0;
    std::function<void()> callback_;
    bool running_ = false;
};

} // namespace qortk

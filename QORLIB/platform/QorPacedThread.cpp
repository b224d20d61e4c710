#include "QORLIB/platform/QorPacedThread.h"

#include <chrono>

void QorPacedThread::start(double periodSeconds, std::function<void()> tick)
{
    if (running_.exchange(true))
        return;
    tick_ = std::move(tick);
    worker_ = std::thread([this, periodSeconds] { run(periodSeconds); });
}

void QorPacedThread::stop()
{
    running_ = false;
    if (worker_.joinable())
        worker_.join();
}

void QorPacedThread::run(double periodSeconds)
{
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(periodSeconds));
    auto due = Clock::now();
    while (running_.load(std::memory_order_relaxed))
    {
        tick_();
        due += period;
        const auto now = Clock::now();
        // After a stall (a suspended process) carry on from now instead of catching up.
        if (due < now - 50 * period)
            due = now;
        std::this_thread::sleep_until(due);
    }
}

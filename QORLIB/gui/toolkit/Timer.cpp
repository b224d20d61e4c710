#include "QORLIB/gui/toolkit/Timer.h"

#include "QORLIB/gui/toolkit/Clock.h"

#include <algorithm>
#include <vector>

namespace qortk
{
namespace
{
std::vector<Timer*>& runningTimers()
{
    static std::vector<Timer*> timers;
    return timers;
}

std::vector<Timer*>& sleepingTimers()
{
    static std::vector<Timer*> timers;
    return timers;
}

void forget(std::vector<Timer*>& timers, Timer* t) { timers.erase(std::remove(timers.begin(), timers.end(), t), timers.end()); }

// Signed distance on the wrapping 32-bit clock.
int32_t msFromNow(uint32_t when, uint32_t now) { return static_cast<int32_t>(when - now); }
} // namespace

Timer::Timer(uint32_t periodMs, std::function<void()> callback)
    : period_(std::max<uint32_t>(periodMs, 1)), callback_(std::move(callback))
{
}

Timer::~Timer()
{
    stop();
    forget(sleepingTimers(), this);
}

void Timer::start()
{
    forget(sleepingTimers(), this);
    next_ = Clock::nowMs() + period_;
    if (!running_)
        runningTimers().push_back(this);
    running_ = true;
}

void Timer::stop()
{
    if (!running_)
        return;
    forget(runningTimers(), this);
    running_ = false;
}

void Timer::sleepUntilInput()
{
    stop();
    if (std::find(sleepingTimers().begin(), sleepingTimers().end(), this) == sleepingTimers().end())
        sleepingTimers().push_back(this);
}

void Timer::inputArrived()
{
    const std::vector<Timer*> sleepers = sleepingTimers();
    for (Timer* t : sleepers)
        t->start();
}

int Timer::runDue()
{
    const uint32_t now = Clock::nowMs();
    const std::vector<Timer*> due = runningTimers();
    int fired = 0;
    for (Timer* t : due)
    {
        // A callback may have stopped or destroyed a later timer of this round.
        auto& timers = runningTimers();
        if (std::find(timers.begin(), timers.end(), t) == timers.end() || msFromNow(t->next_, now) > 0)
            continue;
        // Late ticks are not caught up: the next one is a whole period away.
        t->next_ = now + t->period_;
        ++fired;
        if (t->callback_)
            t->callback_();
    }
    return fired;
}

int Timer::msUntilNext()
{
    const uint32_t now = Clock::nowMs();
    int best = -1;
    for (const Timer* t : runningTimers())
    {
        const int wait = std::max(0, static_cast<int>(msFromNow(t->next_, now)));
        if (best < 0 || wait < best)
            best = wait;
    }
    return best;
}

} // namespace qortk

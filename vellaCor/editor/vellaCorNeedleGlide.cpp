#include "vellaCor/editor/vellaCorNeedleGlide.h"

#include <algorithm>

void vellaCorNeedleGlide::reading(double r, uint32_t nowMs)
{
    previous_ = latest_;
    previousTime_ = latestTime_;
    latest_ = r;
    latestTime_ = nowMs;
    fresh_ = true;
}

void vellaCorNeedleGlide::reset()
{
    previous_ = latest_ = 0.0;
    previousTime_ = latestTime_ = 0;
    fresh_ = true;
}

double vellaCorNeedleGlide::shown(uint32_t nowMs)
{
    if (fresh_)
    {
        fresh_ = false;
        return previous_;
    }
    // Signed differences of the wrapping tick stay right across the wrap.
    const int64_t interval = int32_t(latestTime_ - previousTime_);
    if (interval <= 0)
        return previous_;
    const int64_t sinceLatest = int32_t(nowMs - latestTime_);
    // Held at the latest reading once one interval has passed: readings that stop (a paused
    // host) must not run the needle on to an end stop.
    const int64_t elapsed = sinceLatest > 0 ? std::min(sinceLatest, interval) : interval;
    return previous_ + (latest_ - previous_) * double(elapsed) / double(interval);
}

#pragma once

#include "QORLIB/platform/QorProcessRunner.h"

#include <chrono>
#include <functional>
#include <thread>

namespace qortest
{

// Runs the idle's poll until done() holds or the children are all reaped; the limit only stops a
// broken test from hanging, nothing is measured against it.
inline bool pollUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 2000; ++i)
    {
        QorProcessRunner::poll();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

inline bool pollUntilReaped()
{
    return pollUntil([] { return QorProcessRunner::pending() == 0; });
}

} // namespace qortest

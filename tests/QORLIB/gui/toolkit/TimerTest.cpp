// Timers fire from runDue() by the replaceable clock, also across the 32-bit wrap.
#include "QORLIB/gui/toolkit/Clock.h"
#include "QORLIB/gui/toolkit/Timer.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
struct FakeClock
{
    uint32_t now;
    explicit FakeClock(uint32_t start) : now(start)
    {
        qortk::Clock::setSource([this] { return now; });
    }
    ~FakeClock() { qortk::Clock::setSource({}); }
};
} // namespace

TEST(Timer, FiresOncePerPeriodAndNotBefore)
{
    FakeClock clock(1000);
    int fired = 0;
    qortk::Timer timer(33, [&] { ++fired; });
    timer.start();
    EXPECT_EQ(qortk::Timer::msUntilNext(), 33);
    clock.now = 1032;
    qortk::Timer::runDue();
    EXPECT_EQ(fired, 0);
    clock.now = 1033;
    qortk::Timer::runDue();
    EXPECT_EQ(fired, 1);
    qortk::Timer::runDue();
    EXPECT_EQ(fired, 1) << "once per period";
    // A late round fires once, and the next tick is a whole period after it.
    clock.now = 1200;
    qortk::Timer::runDue();
    EXPECT_EQ(fired, 2);
    clock.now = 1232;
    qortk::Timer::runDue();
    EXPECT_EQ(fired, 2);
    timer.stop();
    clock.now = 5000;
    qortk::Timer::runDue();
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(qortk::Timer::msUntilNext(), -1);
}

TEST(Timer, KeepsTickingAcrossTheClockWrap)
{
    FakeClock clock(0xffffffffu - 10);
    int fired = 0;
    qortk::Timer timer(33, [&] { ++fired; });
    timer.start();
    clock.now = 5; // 16 ms later
    qortk::Timer::runDue();
    EXPECT_EQ(fired, 0);
    clock.now = 22; // 33 ms later
    qortk::Timer::runDue();
    EXPECT_EQ(fired, 1);
}

TEST(Timer, ACallbackMayStopOrDestroyAnotherTimer)
{
    FakeClock clock(0);
    int secondFired = 0;
    auto second = std::make_unique<qortk::Timer>(10, [&] { ++secondFired; });
    qortk::Timer first(10, [&] { second.reset(); });
    first.start();
    second->start();
    clock.now = 10;
    qortk::Timer::runDue();
    EXPECT_EQ(secondFired, 0);
    EXPECT_EQ(second, nullptr);
}

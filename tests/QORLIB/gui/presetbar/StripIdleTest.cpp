// What the strip's idle repaints: with the preset menu open and nothing happening, nothing, at
// any zoom; a pointer moving over the lists repaints the list it is over, not the window.
#include "QORLIB/gui/IdleUpdate_Qor_Handler.h"
#include "QORLIB/gui/toolkit/Clock.h"
#include "QORLIB/gui/toolkit/Timer.h"
#include "tests/QORLIB/gui/presetbar/StripHarness.h"

#include <gtest/gtest.h>

namespace
{
double area(const std::vector<qortk::Rect>& region)
{
    double a = 0;
    for (const qortk::Rect& r : region)
        a += r.width() * r.height();
    return a;
}
} // namespace

TEST(StripIdle, AnOpenPresetMenuIsNotRepaintedWhileNothingHappens)
{
    for (double zoom : {1.0, 2.0, 4.0})
    {
        StripHarness h;
        h.engine.setZoom(zoom);
        h.click(200, 13);
        ASSERT_TRUE(h.engine.isPresetMenuShown());
        h.frame().mouseMoved(h.at(150, 150), 0); // over the lists
        for (int tick = 0; tick < 60; ++tick) // the pressed name button's flash ends
            h.engine.idle();
        h.frame().takeInvalidRegion();
        for (int tick = 0; tick < 100; ++tick)
            h.engine.idle();
        EXPECT_TRUE(h.frame().takeInvalidRegion().empty()) << zoom;

        // Hovering from one entry to the next repaints a list, far less than the window.
        h.frame().mouseMoved(h.at(150, 250), 0);
        h.engine.idle();
        const double painted = area(h.frame().takeInvalidRegion());
        EXPECT_LT(painted, 0.5 * h.frame().deviceWidth() * h.frame().deviceHeight()) << zoom;
    }
}

// The shared idle, driven as the event loop drives it, over a hand-turned clock: with the menu
// open it ticks while the name's pressed mark and the hint's rest are counted, then not at all.
TEST(StripIdle, WithTheMenuOpenAndNothingHappeningTheIdleTimerStops)
{
    uint32_t now = 70000;
    qortk::Clock::setSource([&] { return now; });
    auto& idle = Qorwerk::IdleUpdate_Qor_Handler::instance();
    idle.tick(); // no editor yet: it sleeps whatever earlier tests left
    {
        StripHarness h;
        const auto periods = [&](int n) {
            const uint64_t before = idle.ticks();
            for (int i = 0; i < n; ++i)
            {
                now += Qorwerk::IdleUpdate_Qor_Handler::kPeriodMs;
                qortk::Timer::runDue();
            }
            return idle.ticks() - before;
        };
        h.click(200, 13);
        ASSERT_TRUE(h.engine.isPresetMenuShown());
        h.pointer(150, 150);
        h.frame().mouseMoved(h.at(150, 150), 0);
        qortk::Timer::inputArrived();
        // The longest count is the hint's: the tick that sees the pointer arrive, then 47.
        EXPECT_EQ(periods(200), 48u);
        EXPECT_EQ(periods(300), 0u) << "ten quiet seconds";
        EXPECT_FALSE(idle.isAwake());
    }
    qortk::Clock::setSource({});
}

TEST(StripIdle, WithHintsOffThePressedMarksCountdownKeepsTheIdleTicking)
{
    uint32_t now = 90000;
    qortk::Clock::setSource([&] { return now; });
    const int hints = QorGlobalSettings::hintsFlag();
    QorGlobalSettings::hintsFlag() = 0;
    auto& idle = Qorwerk::IdleUpdate_Qor_Handler::instance();
    idle.tick();
    {
        StripHarness h;
        const auto periods = [&](int n) {
            const uint64_t before = idle.ticks();
            for (int i = 0; i < n; ++i)
            {
                now += Qorwerk::IdleUpdate_Qor_Handler::kPeriodMs;
                qortk::Timer::runDue();
            }
            return idle.ticks() - before;
        };
        h.pointer(200, 13);
        h.frame().mouseMoved(h.at(200, 13), 0);
        h.click(200, 13);
        qortk::Timer::inputArrived();
        EXPECT_EQ(periods(200), uint64_t(PresetBarBasicControl::kCountdownTicks));
        EXPECT_FALSE(idle.isAwake());
    }
    QorGlobalSettings::hintsFlag() = hints;
    qortk::Clock::setSource({});
}

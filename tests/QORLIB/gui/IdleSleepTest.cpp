// The shared idle stops ticking when no editor counts, glides or waits for a child, and each
// cause of work starts it again. Time is a hand-driven clock; ticks are counted, never timed.
#include "QORLIB/gui/IdleUpdate_Qor_Handler.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"
#include "QORLIB/gui/toolkit/Clock.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/Timer.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "tests/QORLIB/gui/TestEditor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using Engine = Qorwerk::QorVSTGUIEditorWrapperV2;
using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;
using Qorwerk::IdleUpdate_Qor_Handler;

namespace
{
constexpr qortk::Point kOverTime{80, 252}; // the Time knob, which has a hint

struct QuietEditor : ::testing::Test
{
    uint32_t now = 90000;
    Engine engine{[](QorMasterGraphicalEngine* e) { return std::make_unique<TestEditor>(e); }};
    qortk::OffscreenBackend* pointer = nullptr;

    void SetUp() override
    {
        qortk::Clock::setSource([this] { return now; });
        idle().tick(); // no editor open: it sleeps, whatever earlier tests left running
        engine.open(Platform::kOffscreen);
        pointer = static_cast<qortk::OffscreenBackend*>(engine.getFrame()->platform());
        pointer->setPointer(kOverTime, 0);
    }
    void TearDown() override
    {
        engine.close();
        qortk::Clock::setSource({});
    }
    IdleUpdate_Qor_Handler& idle() { return IdleUpdate_Qor_Handler::instance(); }
    // Lets n periods pass as the event loop would run them; returns the idle ticks that ran.
    uint64_t periods(int n)
    {
        const uint64_t before = idle().ticks();
        for (int i = 0; i < n; ++i)
        {
            now += IdleUpdate_Qor_Handler::kPeriodMs;
            qortk::Timer::runDue();
        }
        return idle().ticks() - before;
    }
    const qortk::Tooltip& tip() { return engine.getFrame()->tooltip(); }
};
} // namespace

TEST_F(QuietEditor, SleepsOnceTheHintIsShownAndStaysAsleep)
{
    EXPECT_TRUE(idle().isAwake()) << "an editor that opens ticks";
    // The first tick sees the pointer arrive over the knob, 47 still ones show the hint.
    EXPECT_EQ(periods(60), 48u) << "every period ticks while the hint is counted, then none";
    EXPECT_TRUE(tip().isShown());
    EXPECT_FALSE(idle().isAwake());
    EXPECT_EQ(periods(300), 0u) << "ten quiet seconds wake nothing";
    EXPECT_EQ(qortk::Timer::msUntilNext(), -1) << "the event loop may sleep until an event";
    // A host that drives the idle itself finds nothing due.
    EXPECT_EQ(qortk::Timer::runDue(), 0);
}

TEST_F(QuietEditor, InputWakesItAndTheHintCountsTheFull47TicksAgain)
{
    periods(60);
    ASSERT_FALSE(idle().isAwake());
    pointer->setPointer({kOverTime.x + 10, kOverTime.y}, 0);
    qortk::Timer::inputArrived(); // what the window's event loop reports
    EXPECT_TRUE(idle().isAwake());
    EXPECT_EQ(periods(1), 1u); // the move: the hint goes and the count restarts
    EXPECT_FALSE(tip().isShown());
    periods(46);
    EXPECT_FALSE(tip().isShown());
    EXPECT_EQ(periods(1), 1u);
    EXPECT_TRUE(tip().isShown());
    EXPECT_EQ(periods(100), 0u);
}

TEST_F(QuietEditor, AValueFromTheHostOrAnEditWakesIt)
{
    periods(60);
    ASSERT_FALSE(idle().isAwake());
    engine.forwardParameter(2, 0.25);
    EXPECT_TRUE(idle().isAwake());
    const uint64_t ran = periods(20);
    EXPECT_GE(ran, 1u);
    EXPECT_LT(ran, 20u) << "and it sleeps again once the tick found nothing to count";
}

TEST_F(QuietEditor, AHeldButtonKeepsItTickingForTheDrag)
{
    periods(60);
    pointer->setPointer(kOverTime, qortk::kLButton);
    qortk::Timer::inputArrived();
    EXPECT_EQ(periods(200), 200u);
    pointer->setPointer(kOverTime, 0);
    qortk::Timer::inputArrived();
    EXPECT_LT(periods(200), 200u);
    EXPECT_FALSE(idle().isAwake());
}

TEST_F(QuietEditor, AChildStartedWhileAsleepHasItsAnswerDelivered)
{
    periods(60);
    ASSERT_FALSE(idle().isAwake());
    bool answered = false;
    bool exited = false;
    QorProcessRunner::start({"true"}, false, nullptr, QorProcessRunner::WhenAbandoned::kLetRun,
                            [&](const QorProcessRunner::Result& r) {
                                answered = true;
                                exited = r.exited && r.exitStatus == 0;
                            });
    EXPECT_TRUE(idle().isAwake());
    // The child ends in its own time; the idle keeps polling until it has answered.
    for (int i = 0; i < 2000 && !answered; ++i)
    {
        periods(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(answered);
    EXPECT_TRUE(exited);
    periods(2);
    EXPECT_FALSE(idle().isAwake()) << "nothing pending any more";
}

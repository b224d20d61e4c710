// The shared idle list and timer, the hint shown after the pointer rests, and ticks that paint
// nothing while nothing changes. The pointer is the offscreen backend's, set by hand, or comes
// from events.
#include "QORLIB/gui/IdleUpdate_Qor_Handler.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"
#include "QORLIB/gui/toolkit/Clock.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/Timer.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "tests/QORLIB/gui/TestEditor.h"

#include <gtest/gtest.h>

using Engine = Qorwerk::QorVSTGUIEditorWrapperV2;
using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;
using Qorwerk::IdleUpdate_Qor_Handler;

namespace
{
auto makeTestEditor = [](QorMasterGraphicalEngine* e) { return std::make_unique<TestEditor>(e); };

struct OpenEngine
{
    Engine engine{makeTestEditor};
    qortk::OffscreenBackend* pointer = nullptr;
    OpenEngine()
    {
        engine.open(Platform::kOffscreen);
        pointer = static_cast<qortk::OffscreenBackend*>(engine.getFrame()->platform());
    }
    TestEditor& editor() { return *static_cast<TestEditor*>(engine.getEditor()); }
    const qortk::Tooltip& tip() { return engine.getFrame()->tooltip(); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            engine.idle();
    }
};

// Over the Time knob: product (80, 200) is frame (80, 252).
constexpr qortk::Point kOverTime{80, 252};
} // namespace

TEST(IdleList, TwoOpenEditorsBothTickAndClosingOneKeepsTheOther)
{
    OpenEngine a, b;
    auto& list = IdleUpdate_Qor_Handler::instance();
    EXPECT_TRUE(list.contains(&a.engine));
    EXPECT_TRUE(list.contains(&b.engine));
    list.tick();
    EXPECT_EQ(a.editor().idles, 1);
    EXPECT_EQ(b.editor().idles, 1);
    a.engine.close();
    EXPECT_FALSE(list.contains(&a.engine));
    EXPECT_TRUE(list.contains(&b.engine));
    list.tick();
    EXPECT_EQ(b.editor().idles, 2);
    b.engine.open(Platform::kOffscreen); // already open: no second entry
    list.tick();
    EXPECT_EQ(b.editor().idles, 3);
}

TEST(IdleList, OneThirtyThreeMillisecondTimerServesEveryEditor)
{
    uint32_t now = 5000;
    qortk::Clock::setSource([&] { return now; });
    IdleUpdate_Qor_Handler::instance().tick(); // no editor: it sleeps, and the first one wakes it on this clock
    {
        OpenEngine a, b;
        // The handler's timer may have started earlier; let it fall due, then count.
        now += 40;
        qortk::Timer::runDue();
        const int before = a.editor().idles;
        now += 32;
        qortk::Timer::runDue();
        EXPECT_EQ(a.editor().idles, before);
        now += 1;
        EXPECT_EQ(qortk::Timer::runDue(), 1) << "one timer for both editors";
        EXPECT_EQ(a.editor().idles, before + 1);
        EXPECT_EQ(b.editor().idles, a.editor().idles);
    }
    qortk::Clock::setSource({});
}

TEST(Hints, TheHintAppearsAfter47StillTicksAtThePointer)
{
    OpenEngine e;
    e.pointer->setPointer(kOverTime, 0);
    e.ticks(1); // the view changed: the count starts here
    e.ticks(46);
    EXPECT_FALSE(e.tip().isShown());
    e.ticks(1);
    ASSERT_TRUE(e.tip().isShown());
    EXPECT_EQ(e.tip().text(), TestEditor::kTimeHint);
    EXPECT_EQ(e.tip().anchor(), (qortk::Rect{80, 252, 105, 267}));
    e.ticks(200);
    EXPECT_TRUE(e.tip().isShown()) << "stays while the pointer rests";
}

TEST(Hints, AMoveOfTwoPointsOrAPressHidesItUntilAnother47Ticks)
{
    OpenEngine e;
    e.pointer->setPointer(kOverTime, 0);
    e.ticks(48);
    ASSERT_TRUE(e.tip().isShown());
    e.pointer->setPointer({kOverTime.x + 1, kOverTime.y}, 0);
    e.ticks(1);
    EXPECT_TRUE(e.tip().isShown()) << "a one-point tremble does not count";
    e.pointer->setPointer({kOverTime.x + 3, kOverTime.y}, 0);
    e.ticks(1);
    EXPECT_FALSE(e.tip().isShown());
    e.ticks(46);
    EXPECT_FALSE(e.tip().isShown());
    e.ticks(1);
    EXPECT_TRUE(e.tip().isShown());

    e.pointer->setPointer({kOverTime.x + 3, kOverTime.y}, qortk::kLButton);
    e.ticks(1);
    EXPECT_FALSE(e.tip().isShown()) << "a press hides it";
    e.ticks(100);
    EXPECT_FALSE(e.tip().isShown()) << "not while the button is held";
    e.pointer->setPointer({kOverTime.x + 3, kOverTime.y}, 0);
    e.ticks(47);
    EXPECT_TRUE(e.tip().isShown());
}

TEST(Hints, NoHintWithoutTextOffTheSettingOrWhileInactive)
{
    OpenEngine e;
    e.pointer->setPointer({200, 60}, 0); // panel, no control
    e.ticks(100);
    EXPECT_FALSE(e.tip().isShown());

    e.pointer->setPointer(kOverTime, 0);
    e.pointer->setActive(false);
    e.ticks(100);
    EXPECT_FALSE(e.tip().isShown());
    e.pointer->setActive(true);

    QorGlobalSettings::hintsFlag() = 0;
    e.ticks(100);
    EXPECT_FALSE(e.tip().isShown());
    EXPECT_FALSE(e.engine.hintsEnabled());
    EXPECT_EQ(e.editor().log.back(), "set 57=0.000000") << "the setting is passed on once";
    QorGlobalSettings::hintsFlag() = 1;
    e.ticks(1);
    EXPECT_TRUE(e.engine.hintsEnabled());
    EXPECT_EQ(e.editor().log.back(), "set 57=1.000000");
    e.ticks(47);
    EXPECT_TRUE(e.tip().isShown());
}

TEST(Hints, TheHintFollowsThePointerThroughTheZoom)
{
    OpenEngine e;
    ASSERT_TRUE(e.engine.setZoom(2.0));
    e.pointer->setPointer({kOverTime.x * 2, kOverTime.y * 2}, 0);
    e.ticks(48);
    ASSERT_TRUE(e.tip().isShown());
    EXPECT_EQ(e.tip().anchor().left, kOverTime.x);
    EXPECT_EQ(e.tip().anchor().top, kOverTime.y);
}

TEST(Idle, TicksWithNothingChangingPaintNothing)
{
    OpenEngine e;
    e.pointer->setPointer({200, 60}, 0);
    e.engine.getFrame()->takeInvalidRegion();
    for (int tick = 1; tick <= 303; ++tick)
    {
        e.engine.idle();
        ASSERT_TRUE(e.engine.getFrame()->takeInvalidRegion().empty()) << "tick " << tick;
    }
}

TEST(Hints, ShowingAndHidingTheHintRepaintsOnlyItsBubble)
{
    OpenEngine e;
    ASSERT_TRUE(e.engine.setZoom(4.0));
    e.pointer->setPointer({kOverTime.x * 4, kOverTime.y * 4}, 0);
    e.ticks(47);
    e.engine.getFrame()->takeInvalidRegion();
    e.ticks(1);
    ASSERT_TRUE(e.tip().isShown());
    const auto area = [](const std::vector<qortk::Rect>& region) {
        double a = 0;
        for (const qortk::Rect& r : region)
            a += r.width() * r.height();
        return a;
    };
    // The bubble: two lines of 11-point text in at most 230 points, inside 400 × 327 points.
    const double shown = area(e.engine.getFrame()->takeInvalidRegion());
    EXPECT_GT(shown, 0.0);
    EXPECT_LT(shown, 250.0 * 60.0 * 16.0) << "no more than the bubble and its shadow, at 400 %";
    e.pointer->setPointer({kOverTime.x * 4 + 20, kOverTime.y * 4}, 0);
    e.ticks(1);
    ASSERT_FALSE(e.tip().isShown());
    const double hidden = area(e.engine.getFrame()->takeInvalidRegion());
    EXPECT_DOUBLE_EQ(hidden, shown);
}

TEST(Hints, APointerThatLeftTheWindowRestsOnNothing)
{
    OpenEngine e;
    e.engine.getFrame()->mouseMoved(kOverTime, 0);
    e.engine.getFrame()->mouseLeftFrame();
    e.ticks(100);
    EXPECT_FALSE(e.tip().isShown()) << "the last position inside is not where the pointer is";
    e.engine.getFrame()->mouseMoved(kOverTime, 0);
    e.ticks(48);
    EXPECT_TRUE(e.tip().isShown());
}

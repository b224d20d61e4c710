// The value readout on the panel: what it says while a control is dragged, wheeled or rested
// on, where it lies at small and large zooms, that it leaves the hint bubble readable, and that
// it goes away with the pointer.
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorValueReadout.h"
#include "tests/vellaCor/editor/EditorHarness.h"
#include "vellaCor/editor/vellaCorReadoutText.h"

#include <gtest/gtest.h>

namespace
{
struct ReadoutHarness : EditorHarness
{
    using EditorHarness::EditorHarness;
    const Qorwerk::QorValueReadout& readout() { return engine.readout(); }
    void rest(double x, double y, int ticks)
    {
        backend().setPointer(at(x, y), 0);
        for (int i = 0; i < ticks; ++i)
            engine.idle();
    }
    void tick() { engine.idle(); }
    // The control's rectangle in the frame, points.
    qortk::Rect controlRect(int tag)
    {
        const QorRect r = editor().getControl(tag)->getRect();
        return {r.left, r.top + 52.0, r.right, r.bottom + 52.0};
    }
};
} // namespace

TEST(ValueReadout, TextsAreTheDisplaysOfTheParameterTable)
{
    // The switch runs from Valve (left, 0) to Off (right, 1).
    EXPECT_EQ(vellaCorReadoutText(0, 0.0), "Valve");
    EXPECT_EQ(vellaCorReadoutText(0, 0.5), "Clear");
    EXPECT_EQ(vellaCorReadoutText(0, 1.0), "Off");
    EXPECT_EQ(vellaCorReadoutText(2, 4.0 / 6), "4:1");
    EXPECT_EQ(vellaCorReadoutText(3, 5.0 / 6), "x2.5");
    EXPECT_EQ(vellaCorReadoutText(7, 5.0 / 6), "+2");
    EXPECT_EQ(vellaCorReadoutText(4, 0.6), "6.00");
    EXPECT_EQ(vellaCorReadoutText(5, 0.25), "2.50");
    EXPECT_EQ(vellaCorReadoutText(6, 0.15), "4.50 dB");
    for (uint32_t tag : {1u, 13u, 14u, 15u, 28u, 60u})
        EXPECT_EQ(vellaCorReadoutText(tag, 0.5), "") << tag;
}

TEST(ValueReadout, DraggingRatioShowsEachStepAsItIsReached)
{
    ReadoutHarness h;
    EXPECT_FALSE(h.readout().isShown());
    // 150 pixels for the whole sweep from 3:1 (0.5): 4:1 begins at 0.5 + 0.5/6, 12.5 pixels on.
    h.frame().mouseDown(h.at(85, 85), qortk::kLButton);
    h.move(97, 85, qortk::kLButton);
    ASSERT_TRUE(h.readout().isShown());
    EXPECT_EQ(h.readout().text(), "3:1");
    h.move(98, 85, qortk::kLButton);
    EXPECT_EQ(h.readout().text(), "4:1");
    // Centred above the knob, clear of it.
    const qortk::Rect knob = h.controlRect(2);
    EXPECT_LE(h.readout().rect().bottom, knob.top);
    EXPECT_NEAR((h.readout().rect().left + h.readout().rect().right) / 2, (knob.left + knob.right) / 2, 1.0);
    // The drag keeps it while the pointer wanders off the knob with the button held.
    h.move(200, 60, qortk::kLButton);
    h.tick();
    EXPECT_TRUE(h.readout().isShown());
    EXPECT_EQ(h.readout().text(), "10:1");
    h.frame().mouseUp(h.at(200, 60), qortk::kLButton);
    h.tick();
    EXPECT_FALSE(h.readout().isShown()) << "released away from the knob";
}

TEST(ValueReadout, AWheelNotchOnOutputShowsItsDecibels)
{
    ReadoutHarness h;
    // 0.15 is 4.50 dB; one notch is 1/60, half a decibel.
    h.frame().wheel(h.at(315, 200), 1.0f, 0);
    ASSERT_TRUE(h.readout().isShown());
    EXPECT_EQ(h.readout().text(), "5.00 dB");
    h.frame().wheel(h.at(315, 200), -1.0f, 0);
    h.frame().wheel(h.at(315, 200), -1.0f, 0);
    EXPECT_EQ(h.readout().text(), "4.00 dB");
    h.rest(315, 200, 5);
    EXPECT_TRUE(h.readout().isShown()) << "stays while the pointer is on the knob";
    h.rest(200, 20, 1); // the bare panel
    EXPECT_FALSE(h.readout().isShown());
}

TEST(ValueReadout, RestingShowsTheValueAndLaterTheHintBothInSight)
{
    ReadoutHarness h;
    // Like the hint's, the count starts on the tick that finds the pointer on the knob.
    h.rest(85, 160, 8);
    EXPECT_FALSE(h.readout().isShown()) << "not for a pointer passing by";
    h.rest(85, 160, 1);
    ASSERT_TRUE(h.readout().isShown());
    EXPECT_EQ(h.readout().text(), "5.00");
    // The rest goes on to the hint; the readout stays and the bubble does not cover it.
    h.rest(85, 160, 39);
    const qortk::Tooltip& tip = h.frame().tooltip();
    ASSERT_TRUE(tip.isShown());
    EXPECT_EQ(tip.text(), "Sets up the combined attack and release time");
    ASSERT_TRUE(h.readout().isShown());
    EXPECT_FALSE(h.readout().rect().intersects(tip.coveredRect(h.frame().viewSize())));
    // A host change while resting is shown at once.
    h.engine.forwardParameter(4, 0.8);
    EXPECT_EQ(h.readout().text(), "8.00");
    // Moving within the knob keeps it; leaving for the panel takes it away.
    h.rest(100, 180, 1);
    EXPECT_TRUE(h.readout().isShown());
    h.rest(200, 20, 1);
    EXPECT_FALSE(h.readout().isShown());
}

TEST(ValueReadout, RestingOnTheMeterOrTheNameShowsNoValue)
{
    ReadoutHarness h;
    h.rest(200, 90, 20);
    EXPECT_FALSE(h.readout().isShown());
    h.rest(200, 25, 20);
    EXPECT_FALSE(h.readout().isShown());
}

TEST(ValueReadout, ModeSwitchShowsTheModeName)
{
    ReadoutHarness h;
    h.click(275, 80); // left third
    ASSERT_TRUE(h.readout().isShown());
    EXPECT_EQ(h.readout().text(), "Valve");
    h.click(355, 80);
    EXPECT_EQ(h.readout().text(), "Off");
}

TEST(ValueReadout, AtSeventyAndFourHundredPercentItLiesInsideTheWindowAndIsPainted)
{
    for (double zoom : {0.7, 4.0})
    {
        ReadoutHarness h(zoom);
        const qortk::Rect window = h.frame().viewSize();
        for (int tag : {0, 2, 3, 4, 5, 6, 7})
        {
            const qortk::Rect c = h.controlRect(tag);
            // A point inside the control only (the trims lie over the larger controls' corners).
            const double x = tag == 3 ? 40 : tag == 7 ? 280 : (c.left + c.right) / 2;
            const double y = (tag == 3 ? 140 : tag == 7 ? 110 : (c.top + c.bottom) / 2 - 52.0);
            h.rest(200, 20, 1);
            h.rest(x, y, Qorwerk::QorVSTGUIEditorWrapperV2::kReadoutTicks + 1);
            ASSERT_TRUE(h.readout().isShown()) << zoom << " tag " << tag;
            const qortk::Rect r = h.readout().rect();
            EXPECT_GE(r.left, window.left) << zoom << " tag " << tag;
            EXPECT_GE(r.top, window.top) << zoom << " tag " << tag;
            EXPECT_LE(r.right, window.right) << zoom << " tag " << tag;
            EXPECT_LE(r.bottom, window.bottom) << zoom << " tag " << tag;
            EXPECT_FALSE(r.intersects(c)) << "the control stays in sight, tag " << tag;
            // Its dark plate is painted (the panel there is brushed metal, far lighter).
            h.backend().update();
            const uint32_t p = h.backend().pixel(int((r.left + 3) * zoom), int((r.top + r.bottom) / 2 * zoom));
            EXPECT_LT((p >> 24) & 0xff, 60u) << zoom << " tag " << tag;
        }
    }
}

TEST(ValueReadout, NothingIsRepaintedWhileTheReadoutRestsUnchanged)
{
    ReadoutHarness h(4.0);
    h.rest(85, 160, 9);
    ASSERT_TRUE(h.readout().isShown());
    h.frame().takeInvalidRegion();
    h.rest(85, 160, 30);
    EXPECT_TRUE(h.frame().takeInvalidRegion().empty());
    // Hiding repaints only the label's rectangle.
    h.rest(200, 20, 1);
    double area = 0;
    for (const qortk::Rect& r : h.frame().takeInvalidRegion())
        area += r.width() * r.height();
    const qortk::Rect label = h.readout().rect();
    EXPECT_LE(area, (label.width() * 4 + 2) * (label.height() * 4 + 2));
}

TEST(ValueReadout, ItMovesBelowTheControlWhenTheBubbleWouldCoverItAbove)
{
    ReadoutHarness h;
    Qorwerk::QorValueReadout readout;
    readout.attach(&h.frame());
    const qortk::Rect control{100, 150, 160, 210};
    readout.show(control, "4:1", {});
    EXPECT_LE(readout.rect().bottom, control.top);
    readout.show(control, "4:1", {90, 120, 200, 148});
    EXPECT_GE(readout.rect().top, control.bottom);
    // At the bottom edge there is no room below: it keeps to the window.
    const qortk::Rect low{100, 280, 160, 326};
    readout.show(low, "4:1", {90, 250, 200, 279});
    EXPECT_LE(readout.rect().bottom, 327.0);
    readout.detach();
}

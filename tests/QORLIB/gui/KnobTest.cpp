// The filmstrip knob: its grid, linear and circular dragging, the wheel and the reset, driven by
// frame events as the toolkit delivers them.
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorBitmapGlobals.h"
#include "tests/QORLIB/gui/ControlHarness.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// The Time knob's place and filmstrip: 21 frames of 114 points in 5 columns.
QorAnimKnob* timeKnob(ControlHarness& h)
{
    auto* knob = h.add(new QorAnimKnob({28, 143, 142, 257}, 4, QorBitmapGlobals::get(QorBitmapGlobals::kTimeKnob)));
    knob->setFrames(21, 5);
    knob->setDefaultValue(0.5);
    knob->setWheelStep(0.1, 0.5);
    return knob;
}

struct LinearMode
{
    LinearMode() { QorAnimKnob::setKnobMode(0); }
    ~LinearMode() { QorAnimKnob::setKnobMode(0); }
};
} // namespace

TEST(Knob, FramesLieColumnByColumnInTheGrid)
{
    ControlHarness h;
    QorAnimKnob* knob = timeKnob(h);
    EXPECT_EQ(knob->getRows(), 5);
    EXPECT_EQ(knob->getFrameWidth(), 114);
    EXPECT_EQ(knob->getFrameHeight(), 114);
    struct Case
    {
        double value;
        int frame;
        double x, y;
    };
    // frame = trunc(20 v + 0.5); column = frame / 5, row = frame % 5.
    for (const Case& c : {Case{1.0, 20, 456, 0}, Case{0.5, 10, 228, 0}, Case{0.0, 0, 0, 0}, Case{0.37, 7, 114, 228},
                          Case{0.974, 19, 342, 456}, Case{0.976, 20, 456, 0}})
    {
        knob->setValue(c.value);
        EXPECT_EQ(knob->currentFrame(), c.frame) << c.value;
        const QorPoint offset = knob->frameOffset(knob->currentFrame());
        EXPECT_EQ(offset.x, c.x) << c.value;
        EXPECT_EQ(offset.y, c.y) << c.value;
    }
    // The Output knob: 61 frames in 8 columns of 8 rows; the last column holds five.
    auto* output = h.add(new QorAnimKnob({258, 143, 372, 257}, 6, QorBitmapGlobals::get(QorBitmapGlobals::kOutputKnob)));
    output->setFrames(61, 8);
    EXPECT_EQ(output->getRows(), 8);
    output->setValue(1.0);
    EXPECT_EQ(output->frameOffset(output->currentFrame()).x, 7 * 114.0);
    EXPECT_EQ(output->frameOffset(output->currentFrame()).y, 4 * 114.0);
}

TEST(Knob, LinearDragMovesByPixelsRightOrUp)
{
    LinearMode linear;
    ControlHarness h;
    QorAnimKnob* knob = timeKnob(h);
    knob->setValue(0.2);
    h.down(80, 200);
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.2); // the press itself does not move it
    h.move(230, 200);                          // 150 px of 300
    EXPECT_NEAR(knob->getValue(), 0.7, 1e-12);
    h.move(155, 125); // 75 right, 75 up
    EXPECT_NEAR(knob->getValue(), 0.7, 1e-12);
    h.move(80, 260); // 60 down
    EXPECT_NEAR(knob->getValue(), 0.0, 1e-12);
    h.move(80, -400); // far up: clamped
    EXPECT_DOUBLE_EQ(knob->getValue(), 1.0);
    h.up(80, -400);
    EXPECT_FALSE(knob->isEditing());
    EXPECT_GE(h.reports(4), 4);
    // Moves without the button are not a drag.
    h.move(0, 200, 0);
    EXPECT_DOUBLE_EQ(knob->getValue(), 1.0);
}

TEST(Knob, HostValuesWaitWhileTheUserDrags)
{
    LinearMode linear;
    ControlHarness h;
    QorAnimKnob* knob = timeKnob(h);
    knob->setValue(0.2);
    h.down(80, 200);
    h.move(110, 200);
    knob->setValue(0.9); // a host echo mid-drag
    EXPECT_NEAR(knob->getValue(), 0.3, 1e-12);
    h.up(110, 200);
    knob->setValue(0.9);
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.9);
}

TEST(Knob, ShiftMidDragKeepsTheValueAndContinuesAtTheFineRange)
{
    LinearMode linear;
    ControlHarness h;
    QorAnimKnob* knob = timeKnob(h);
    knob->setValue(0.2);
    h.down(80, 200);
    h.move(140, 200); // +60 px: +0.2
    EXPECT_NEAR(knob->getValue(), 0.4, 1e-12);
    const uint32_t shift = qortk::kLButton | qortk::kShift;
    h.move(140, 200, shift);
    EXPECT_NEAR(knob->getValue(), 0.4, 1e-12);
    h.move(290, 200, shift); // +150 px of 1500
    EXPECT_NEAR(knob->getValue(), 0.5, 1e-12);
    h.move(290, 200); // Shift released: again no jump
    EXPECT_NEAR(knob->getValue(), 0.5, 1e-12);
    h.move(320, 200); // +30 px of 300
    EXPECT_NEAR(knob->getValue(), 0.6, 1e-12);
    h.up(320, 200);

    // Shift held from the press on drags at the fine range throughout.
    knob->setValue(0.5);
    h.down(80, 200, shift);
    h.move(380, 200, shift);
    EXPECT_NEAR(knob->getValue(), 0.7, 1e-12);
    h.up(380, 200, shift);
}

TEST(Knob, WheelStepsByNotchesOrFractionsAndFinerWithShift)
{
    ControlHarness h;
    QorAnimKnob* knob = timeKnob(h);
    knob->setValue(0.5);
    h.wheel(80, 200, 1.0f);
    EXPECT_NEAR(knob->getValue(), 0.6, 1e-12);
    h.wheel(80, 200, 3.0f); // any distance above 0.1 is one notch
    EXPECT_NEAR(knob->getValue(), 0.7, 1e-12);
    h.wheel(80, 200, -1.0f, qortk::kShift); // half a step with Shift
    EXPECT_NEAR(knob->getValue(), 0.65, 1e-12);
    h.wheel(80, 200, 0.05f); // a fraction of a notch moves a fraction of a step
    EXPECT_NEAR(knob->getValue(), 0.655, 1e-7);
    for (int i = 0; i < 10; ++i)
        h.wheel(80, 200, 1.0f);
    EXPECT_DOUBLE_EQ(knob->getValue(), 1.0);
    EXPECT_EQ(h.reports(4), 14);
    EXPECT_FALSE(knob->isEditing());
}

TEST(Knob, ControlAltOrDoubleClickResetsAndReportsOnce)
{
    ControlHarness h;
    QorAnimKnob* knob = timeKnob(h);
    for (uint32_t modifier : {uint32_t(qortk::kControl), uint32_t(qortk::kAlt), uint32_t(qortk::kDoubleClick)})
    {
        knob->setValue(0.9);
        const int before = h.reports(4);
        h.down(80, 200, qortk::kLButton | modifier);
        // A final press takes no drag, not even over the knob itself.
        h.move(82, 201);
        h.move(120, 180);
        h.move(60, 230);
        h.up(60, 230);
        EXPECT_DOUBLE_EQ(knob->getValue(), 0.5) << modifier;
        EXPECT_EQ(h.reports(4) - before, 1) << modifier;
        EXPECT_FALSE(knob->isEditing());
    }
    // A right click does nothing.
    knob->setValue(0.9);
    h.down(80, 200, qortk::kRButton | qortk::kControl);
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.9);
}

TEST(Knob, DoubleClickRaisesTheEntryRequestWhenThatIsTheOption)
{
    ControlHarness h;
    QorAnimKnob* knob = timeKnob(h);
    knob->setEntryOnDoubleClick(true);
    knob->setValue(0.9);
    h.down(80, 200, qortk::kLButton | qortk::kDoubleClick);
    EXPECT_TRUE(knob->entryRequested());
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.9);
    knob->setValueAndNotify(0.3);
    EXPECT_FALSE(knob->entryRequested());
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.3);
}

TEST(Knob, AngleValueSpans270DegreesWithTheDeadZoneAtTheBottom)
{
    // A 114-point knob: centre 57, radius for the normalisation 54.
    const double w = 114, h = 114, c = 57;
    EXPECT_NEAR(QorAnimKnob::angleValue(c, 0, w, h), 0.5, 1e-12);              // top
    EXPECT_NEAR(QorAnimKnob::angleValue(0, c, w, h), 1.0 / 6.0, 1e-12);        // left: 90° before the top
    EXPECT_NEAR(QorAnimKnob::angleValue(w, c, w, h), 5.0 / 6.0, 1e-12);        // right
    EXPECT_NEAR(QorAnimKnob::angleValue(c - 10, c + 10, w, h), 0.0, 1e-12);    // lower left: the 225° end
    EXPECT_NEAR(QorAnimKnob::angleValue(c + 10, c + 10.01, w, h), 1.0, 1e-12); // just past the high end
    // Just short of the high end: 1 − (45° − atan(9.9 / 10)) / 270°.
    EXPECT_NEAR(QorAnimKnob::angleValue(c + 10, c + 9.9, w, h), 1.0 - (M_PI / 4 - std::atan2(9.9, 10.0)) / (1.5 * M_PI),
                1e-12);
    EXPECT_DOUBLE_EQ(QorAnimKnob::angleValue(c, h, w, h), 0.0); // straight down
}

TEST(Knob, CircularModeJumpsToThePointerAndStopsAtTheEnds)
{
    ControlHarness h;
    QorAnimKnob* knob = timeKnob(h);
    QorAnimKnob::setKnobMode(1);
    knob->setValue(0.0);
    h.down(85, 143); // the top of the knob
    EXPECT_NEAR(knob->getValue(), 0.5, 1e-9);
    h.move(142, 200); // right: 5/6
    EXPECT_NEAR(knob->getValue(), 5.0 / 6.0, 1e-9);
    h.move(86, 257); // on through the dead zone at the bottom: held at the top end
    EXPECT_DOUBLE_EQ(knob->getValue(), 1.0);
    h.move(28, 200); // jumping to the far side from there also holds at the end
    EXPECT_DOUBLE_EQ(knob->getValue(), 1.0);
    h.up(28, 200);
    QorAnimKnob::setKnobMode(0);
}

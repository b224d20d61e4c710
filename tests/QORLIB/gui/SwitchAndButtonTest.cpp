// The three-position switch and the kick button, driven by frame events.
#include "QORLIB/gui/QorBitmapGlobals.h"
#include "QORLIB/gui/QorHorizontalSwitch.h"
#include "QORLIB/gui/QorKickButton.h"
#include "tests/QORLIB/gui/ControlHarness.h"

#include <gtest/gtest.h>

namespace
{
// The mode switch's place: 106 points wide, so thirds of 35.33 points from x = 262.
QorHorizontalSwitch* modeSwitch(ControlHarness& h)
{
    return h.add(
        new QorHorizontalSwitch({262, 46, 368, 124}, 0, QorBitmapGlobals::get(QorBitmapGlobals::kModeSwitch), 3));
}
} // namespace

TEST(Switch, EachThirdGivesItsPositionAndDraggingFollows)
{
    ControlHarness h;
    QorHorizontalSwitch* sw = modeSwitch(h);
    struct Case
    {
        double x;
        double value;
    };
    for (const Case& c : {Case{262, 0.0}, Case{297, 0.0}, Case{298, 0.5}, Case{332, 0.5}, Case{334, 1.0}, Case{368, 1.0}})
    {
        h.down(c.x, 80);
        EXPECT_DOUBLE_EQ(sw->getValue(), c.value) << c.x;
        h.up(c.x, 80);
    }
    h.down(270, 80);
    h.move(320, 80);
    EXPECT_DOUBLE_EQ(sw->getValue(), 0.5);
    h.move(500, 80); // beyond the right edge: clamped
    EXPECT_DOUBLE_EQ(sw->getValue(), 1.0);
    h.up(500, 80);
    EXPECT_FALSE(sw->isEditing());
}

TEST(Switch, ControlOrAltClickGivesTheResetValue)
{
    ControlHarness h;
    QorHorizontalSwitch* sw = modeSwitch(h);
    sw->setDefaultValue(1.0);
    sw->setValue(0.0);
    h.down(270, 80, qortk::kLButton | qortk::kAlt);
    EXPECT_DOUBLE_EQ(sw->getValue(), 1.0);
    EXPECT_EQ(h.reports(0), 1);
    h.down(270, 80, qortk::kRButton);
    EXPECT_DOUBLE_EQ(sw->getValue(), 1.0);
}

TEST(Switch, WheelStepsOnePositionAndSnaps)
{
    ControlHarness h;
    QorHorizontalSwitch* sw = modeSwitch(h);
    sw->setValue(0.3);
    h.wheel(300, 80, 1.0f); // 0.8 snaps to 1
    EXPECT_DOUBLE_EQ(sw->getValue(), 1.0);
    h.wheel(300, 80, 1.0f);
    EXPECT_DOUBLE_EQ(sw->getValue(), 1.0);
    h.wheel(300, 80, -1.0f);
    EXPECT_DOUBLE_EQ(sw->getValue(), 0.5);
    h.wheel(300, 80, 0.05f); // too small to move; snapped in place
    EXPECT_DOUBLE_EQ(sw->getValue(), 0.5);
    EXPECT_EQ(h.reports(0), 4);
}

TEST(Switch, DrawsTheFrameOfItsPosition)
{
    ControlHarness h;
    QorHorizontalSwitch* sw = modeSwitch(h);
    EXPECT_EQ(sw->getPositions(), 3);
    sw->setValue(0.74);
    EXPECT_EQ(sw->currentPosition(), 1);
    sw->setValue(0.76);
    EXPECT_EQ(sw->currentPosition(), 2);
}

TEST(KickButton, PressReportsOneAndReleaseResetsWithoutReport)
{
    ControlHarness h;
    auto* button = h.add(new QorKickButton({85, 5, 313, 45}, 14));
    EXPECT_DOUBLE_EQ(button->getValue(), 0.0);
    h.down(200, 20);
    EXPECT_TRUE(button->isPressed());
    EXPECT_EQ(h.editor().log.back(), "changed 14=1.000000");
    h.up(200, 20);
    EXPECT_FALSE(button->isPressed());
    EXPECT_DOUBLE_EQ(button->getValue(), 0.0);
    EXPECT_EQ(h.reports(14), 1);
    h.down(200, 20, qortk::kRButton);
    EXPECT_EQ(h.reports(14), 1);
}

TEST(KickButton, DoubleClickOnlyOptionAndTheHalfValueWithControl)
{
    ControlHarness h;
    auto* button = h.add(new QorKickButton({85, 5, 313, 45}, 14));
    button->setDoubleClickOnly(true);
    h.down(200, 20);
    EXPECT_EQ(h.reports(14), 0);
    h.down(200, 20, qortk::kLButton | qortk::kDoubleClick | qortk::kControl);
    EXPECT_EQ(h.editor().log.back(), "changed 14=0.500000");
    h.up(200, 20);
    h.down(200, 20, qortk::kLButton | qortk::kDoubleClick);
    EXPECT_EQ(h.editor().log.back(), "changed 14=1.000000");
}

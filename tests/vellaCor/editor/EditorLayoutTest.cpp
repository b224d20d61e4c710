// The panel's controls: where they are, what they show and say, and how control values become
// parameter values.
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorBitmap.h"
#include "QORLIB/gui/QorHorizontalSwitch.h"
#include "QORLIB/gui/QorKickButton.h"
#include "tests/vellaCor/editor/EditorHarness.h"
#include "vellaCor/editor/CInfo.h"
#include "vellaCor/editor/CVelVuMeter2.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
void expectRect(const QorRect& r, double l, double t, double rr, double b, const std::string& what)
{
    EXPECT_EQ(r.left, l) << what;
    EXPECT_EQ(r.top, t) << what;
    EXPECT_EQ(r.right, rr) << what;
    EXPECT_EQ(r.bottom, b) << what;
}
} // namespace

TEST(EditorLayout, EveryControlAtItsPlaceWithItsImageKindAndHint)
{
    EditorHarness h;
    vellaCorEditor& e = h.editor();
    struct Row
    {
        int tag;
        double l, t, r, b;
        int bitmap;
        int kind;
        const char* hint;
    };
    const Row rows[] = {
        {0, 262, 46, 368, 124, 12129, 4,
         "Engages compression (Valve / Clear) or disengages (Off) plug-in's processing"},
        {4, 28, 143, 142, 257, 12173, 5, "Sets up the combined attack and release time"},
        {5, 143, 143, 257, 257, 12171, 5, "Controls the amount of gain reduction by adjusting the threshold point"},
        {6, 258, 143, 372, 257, 12177, 5, "Controls the level of the processed signal"},
        {2, 50, 50, 120, 120, 12181, 5, "Controls current compression ratio"},
        {3, 31, 123, 62, 154, 12130, 5, "Controls the ratio between the attack and release"},
        {7, 267, 92, 298, 123, 12139, 5, "Sets up a valve processing reference level"},
        {15, 150, 66, 250, 109, 12151, 13, ""},
        {14, 85, 5, 313, 45, 0, 8, "Click on the plug-in's name to open the about box"},
        {28, 0, 0, 400, 275, 12200, 13, ""},
    };
    for (const Row& row : rows)
    {
        QorBaseControl* c = e.getControl(row.tag);
        ASSERT_NE(c, nullptr) << row.tag;
        const std::string what = "tag " + std::to_string(row.tag);
        expectRect(c->getRect(), row.l, row.t, row.r, row.b, what);
        EXPECT_EQ(c->getTag(), row.tag);
        EXPECT_EQ(c->getViewKind(), row.kind) << what;
        EXPECT_EQ(c->getBitmap() ? c->getBitmap()->getResourceId() : 0, row.bitmap) << what;
        EXPECT_STREQ(c->getHint(), row.hint) << what;
    }
    expectRect(e.getMeter()->getFaceRect(), 150, 66, 250, 109, "face");
}

TEST(EditorLayout, KnobGridsAndResetValues)
{
    EditorHarness h;
    struct Row
    {
        int tag;
        int frames, rows;
        double reset;
    };
    for (const Row& row : {Row{4, 21, 5, 0.5}, Row{5, 41, 6, 0.5}, Row{6, 61, 8, 0.0}, Row{2, 7, 7, 0.5},
                           Row{3, 7, 7, 0.5}, Row{7, 7, 7, 0.5}})
    {
        QorAnimKnob* knob = h.editor().getKnob(row.tag);
        ASSERT_NE(knob, nullptr);
        EXPECT_EQ(knob->getFrameCount(), row.frames) << row.tag;
        EXPECT_EQ(knob->getRows(), row.rows) << row.tag;
        // A double-click sends the reset value for the knob's parameter.
        const QorRect& r = knob->getRect();
        knob->setValue(0.9);
        h.click((r.left + r.right) / 2, (r.top + r.bottom) / 2, qortk::kLButton | qortk::kDoubleClick);
        EXPECT_EQ(h.lastSent().first, row.tag);
        EXPECT_DOUBLE_EQ(h.lastSent().second, row.reset) << row.tag;
    }
}

TEST(EditorLayout, WheelStepsOfEachKnob)
{
    EditorHarness h;
    struct Row
    {
        int tag;
        double step, fine;
    };
    for (const Row& row : {Row{4, 0.1, 0.05}, Row{5, 0.05, 0.01}, Row{6, 1.0 / 60, 1.0 / 300}, Row{2, 1.0 / 6, 1.0 / 6},
                           Row{3, 1.0 / 6, 1.0 / 6}, Row{7, 1.0 / 6, 1.0 / 6}})
    {
        QorAnimKnob* knob = h.editor().getKnob(row.tag);
        const QorRect& r = knob->getRect();
        const qortk::Point p = h.at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        knob->setValue(0.5);
        h.frame().wheel(p, 1.0f, 0);
        EXPECT_NEAR(h.lastSent().second, 0.5 + row.step, 1e-12) << row.tag;
        h.frame().wheel(p, -1.0f, qortk::kShift);
        EXPECT_NEAR(h.lastSent().second, 0.5 + row.step - row.fine, 1e-12) << row.tag;
    }
}

TEST(EditorLayout, ModeSwitchSendsOneMinusItsValue)
{
    EditorHarness h;
    h.click(270, 80); // left third: Valve
    EXPECT_EQ(h.lastSent(), (std::pair<int32_t, double>{0, 1.0}));
    h.click(315, 80); // middle: Clear
    EXPECT_EQ(h.lastSent(), (std::pair<int32_t, double>{0, 0.5}));
    h.click(360, 80); // right: Off
    EXPECT_EQ(h.lastSent(), (std::pair<int32_t, double>{0, 0.0}));
    // Control-click gives the switch's reset value, the right-hand position.
    h.editor().getModeSwitch()->setValue(0.0);
    h.click(270, 80, qortk::kLButton | qortk::kControl);
    EXPECT_EQ(h.lastSent(), (std::pair<int32_t, double>{0, 0.0}));
}

TEST(EditorLayout, ControlClickOnOutputSendsZero)
{
    EditorHarness h;
    h.editor().getKnob(6)->setValue(0.7);
    h.click(315, 200, qortk::kLButton | qortk::kControl);
    EXPECT_EQ(h.lastSent(), (std::pair<int32_t, double>{6, 0.0}));
}

TEST(EditorLayout, HostValuesReachTheControlsAndTheMeterLight)
{
    EditorHarness h;
    vellaCorEditor& e = h.editor();
    for (int tag : {2, 3, 4, 5, 6, 7})
    {
        e.setParameter(tag, 0.25 + tag * 0.05);
        EXPECT_DOUBLE_EQ(e.getKnob(tag)->getValue(), 0.25 + tag * 0.05);
    }
    e.setParameter(0, 0.5);
    EXPECT_DOUBLE_EQ(e.getModeSwitch()->getValue(), 0.5);
    EXPECT_EQ(e.getModeSwitch()->currentPosition(), 1);
    EXPECT_TRUE(e.getMeter()->isLit());
    e.setParameter(0, 0.0);
    EXPECT_DOUBLE_EQ(e.getModeSwitch()->getValue(), 1.0);
    EXPECT_FALSE(e.getMeter()->isLit());
    // Unlit exactly at the "Off" step: just below a quarter still rounds to Off.
    e.setParameter(0, 0.2499);
    EXPECT_FALSE(e.getMeter()->isLit());
    e.setParameter(0, 0.25);
    EXPECT_TRUE(e.getMeter()->isLit());
    e.setParameter(0, 1.0);
    EXPECT_DOUBLE_EQ(e.getModeSwitch()->getValue(), 0.0);
    // Indices that mean nothing to the panel change nothing.
    for (int index : {1, 8, 12, 29, 95, -1})
        e.setParameter(index, 0.9);
    EXPECT_DOUBLE_EQ(e.getModeSwitch()->getValue(), 0.0);
}

TEST(EditorLayout, ThePresetMenuKeepsTheProductAreaAtThePanelsSize)
{
    EditorHarness h;
    h.editor().setParameter(89, 1.0);
    EXPECT_EQ(h.engine.getEditorRect().width(), 400);
    EXPECT_EQ(h.engine.getEditorRect().height(), 327);
    EXPECT_EQ(h.frame().deviceHeight(), 327);
    h.editor().setParameter(90, 1.0);
    EXPECT_EQ(h.engine.getEditorRect().width(), 400);
    EXPECT_EQ(h.engine.getEditorRect().height(), 327);
    EXPECT_EQ(h.editor().getRect().width(), 400);
    EXPECT_EQ(h.editor().getRect().height(), 275);
}

TEST(EditorLayout, OpenAndCloseRepeatWithFreshControls)
{
    EditorHarness h;
    for (int i = 0; i < 3; ++i)
    {
        h.engine.close();
        EXPECT_EQ(h.editor().getMeter(), nullptr);
        h.editor().setParameter(4, 0.3); // nothing to update: no harm
        h.editor().setParameter(93, 1.0);
        h.editor().idle();
        ASSERT_TRUE(h.engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kOffscreen));
        ASSERT_NE(h.editor().getKnob(4), nullptr);
        EXPECT_FALSE(h.engine.isContainerAttached(h.editor().getAboutContainer()));
        h.editor().setParameter(4, 0.3);
        EXPECT_DOUBLE_EQ(h.editor().getKnob(4)->getValue(), 0.3);
    }
}

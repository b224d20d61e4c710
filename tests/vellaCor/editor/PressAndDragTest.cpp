// Whose drag it is: moves with the button held belong to the control that took the press, and
// to no one when nothing took it, through the whole editor as the window delivers events.
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorHorizontalSwitch.h"
#include "QORLIB/platform/QorShell.h"
#include "tests/vellaCor/editor/EditorHarness.h"
#include "vellaCor/editor/CInfo.h"

#include <gtest/gtest.h>

namespace
{
constexpr uint32_t kHeld = qortk::kLButton;

int sentFor(const EditorHarness& h, int32_t index)
{
    int n = 0;
    for (const auto& [i, v] : h.engine.sent)
        n += i == index ? 1 : 0;
    return n;
}

// Press at the first point, drag through the others with the button held, release at the last.
void drag(EditorHarness& h, std::initializer_list<std::pair<double, double>> path, uint32_t pressFlags = kHeld)
{
    auto it = path.begin();
    h.frame().mouseDown(h.at(it->first, it->second), pressFlags);
    std::pair<double, double> last = *it;
    for (++it; it != path.end(); ++it)
    {
        h.frame().mouseMoved(h.at(it->first, it->second), kHeld | (pressFlags & qortk::kModifierMask));
        last = *it;
    }
    h.frame().mouseUp(h.at(last.first, last.second), kHeld);
}

struct NoShell
{
    NoShell() { QorShell::setHandler([](const std::string&) { return true; }); }
    ~NoShell() { QorShell::setHandler({}); }
};
} // namespace

TEST(PressAndDrag, APressOnBarePanelDraggedOntoTimeChangesNothing)
{
    for (double zoom : {1.0, 1.5})
    {
        EditorHarness h(zoom);
        h.editor().setParameter(4, 0.5);
        // (15, 100) lies on no control; then over the Time knob and across it.
        drag(h, {{15, 100}, {40, 180}, {85, 200}, {60, 240}, {130, 150}});
        EXPECT_EQ(sentFor(h, 4), 0) << zoom;
        EXPECT_DOUBLE_EQ(h.editor().getKnob(4)->getValue(), 0.5);
        EXPECT_TRUE(h.engine.sent.empty()) << "nothing at all was sent, first: " << h.engine.sent.front().first;
    }
}

TEST(PressAndDrag, APressOnTheMeterDraggedOntoCompressionChangesNothing)
{
    EditorHarness h;
    h.editor().setParameter(5, 0.5);
    drag(h, {{200, 90}, {200, 150}, {200, 200}, {150, 250}, {250, 160}});
    EXPECT_EQ(sentFor(h, 5), 0);
    EXPECT_DOUBLE_EQ(h.editor().getKnob(5)->getValue(), 0.5);
    EXPECT_TRUE(h.engine.sent.empty());
}

TEST(PressAndDrag, AResetByControlClickSendsOneValueWhateverTheWiggle)
{
    EditorHarness h;
    struct Case
    {
        int tag;
        double x, y;
        double reset;
    };
    // Time resets to 0.5, Output to 0.0; the mode switch (value 1 - switch) to its right end.
    for (const Case& c : {Case{4, 85, 200, 0.5}, Case{6, 315, 200, 0.0}})
    {
        h.editor().setParameter(c.tag, 0.9);
        h.engine.sent.clear();
        drag(h, {{c.x, c.y}, {c.x + 2, c.y + 1}, {c.x - 3, c.y + 2}, {c.x + 40, c.y - 30}},
             kHeld | qortk::kControl);
        ASSERT_EQ(h.engine.sent.size(), 1u) << c.tag;
        EXPECT_EQ(h.engine.sent[0], (std::pair<int32_t, double>{c.tag, c.reset}));
        EXPECT_DOUBLE_EQ(h.editor().getKnob(c.tag)->getValue(), c.reset);
    }
    h.editor().setParameter(0, 1.0);
    h.engine.sent.clear();
    drag(h, {{270, 80}, {272, 81}, {360, 80}}, kHeld | qortk::kControl);
    ASSERT_EQ(h.engine.sent.size(), 1u);
    EXPECT_EQ(h.engine.sent[0], (std::pair<int32_t, double>{0, 0.0}));
}

TEST(PressAndDrag, ClosingTheAboutBoxAndMovingLeavesTheKnobBelowAlone)
{
    NoShell shell;
    EditorHarness h;
    h.editor().setParameter(4, 0.3);
    h.click(200, 20); // the painted name opens the box
    ASSERT_TRUE(h.engine.isContainerAttached(h.editor().getAboutContainer()));
    h.engine.sent.clear();
    // The press over the Time knob closes the box; the drag that follows is nobody's.
    drag(h, {{80, 200}, {120, 200}, {200, 210}, {40, 250}});
    EXPECT_FALSE(h.engine.isContainerAttached(h.editor().getAboutContainer()));
    EXPECT_EQ(h.engine.sent, (std::vector<std::pair<int32_t, double>>{{94, 1.0}}));
    EXPECT_DOUBLE_EQ(h.editor().getKnob(4)->getValue(), 0.3);
    // Hover without a button still reaches the controls: the box's link underlines again.
    h.click(200, 20);
    h.move(150, 140);
    EXPECT_TRUE(h.editor().getAbout()->isLinkHovered());
    h.move(150, 160);
    EXPECT_FALSE(h.editor().getAbout()->isLinkHovered());
}

TEST(PressAndDrag, ADragThatLeavesItsKnobStaysItsKnobs)
{
    EditorHarness h;
    h.editor().setParameter(4, 0.2);
    // From Time over Compression and Output: only Time moves, 230 points to the right of 300.
    drag(h, {{85, 200}, {200, 200}, {315, 200}});
    EXPECT_EQ(sentFor(h, 5), 0);
    EXPECT_EQ(sentFor(h, 6), 0);
    ASSERT_GT(sentFor(h, 4), 0);
    EXPECT_NEAR(h.editor().getKnob(4)->getValue(), 0.2 + 230.0 / 300.0, 1e-9);
}

// The needle: its geometry, its glide between readings, its colours over the two faces; the
// about box: opened by the product name, closed by a click beside the link, the link itself.
#include "QORLIB/gui/IdleUpdate_Qor_Handler.h"
#include "QORLIB/platform/QorShell.h"
#include "QORLIB/platform/QorTick.h"
#include "tests/QORLIB/platform/ChildWait.h"
#include "tests/QORLIB/platform/FakeTool.h"
#include "tests/QORLIB/platform/ScopedEnv.h"
#include "tests/vellaCor/editor/EditorHarness.h"
#include "vellaCor/editor/CInfo.h"
#include "vellaCor/editor/CVelVuMeter2.h"
#include "vellaCor/editor/vellaCorNeedleGlide.h"
#include "vellaCor/vellaCorIdentity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
struct ManualTick
{
    uint32_t now = 0;
    ManualTick()
    {
        QorTick::setSource([this] { return now; });
    }
    ~ManualTick() { QorTick::setSource({}); }
};

struct RecordedShell
{
    std::vector<std::string> opened;
    RecordedShell()
    {
        QorShell::setHandler([this](const std::string& target) {
            opened.push_back(target);
            return true;
        });
    }
    ~RecordedShell() { QorShell::setHandler({}); }
};

int red(uint32_t p) { return int(p >> 24); }
int green(uint32_t p) { return int((p >> 16) & 0xff); }
int blue(uint32_t p) { return int((p >> 8) & 0xff); }
bool near(uint32_t p, int r, int g, int b, int tolerance)
{
    return std::abs(red(p) - r) <= tolerance && std::abs(green(p) - g) <= tolerance && std::abs(blue(p) - b) <= tolerance;
}
} // namespace

TEST(Needle, EndPointsOfTheSweep)
{
    EditorHarness h;
    const CVelVuMeter2& meter = *h.editor().getMeter();
    QorPoint start, end;
    // Pivot (200, 155) plus half a point; radii 3 and 86; 120° at 0, 90° at 0.5, 60° at 1.
    meter.needle(0.5, start, end);
    EXPECT_NEAR(start.x, 200.5, 1e-9);
    EXPECT_NEAR(start.y, 152.5, 1e-9);
    EXPECT_NEAR(end.x, 200.5, 1e-9);
    EXPECT_NEAR(end.y, 69.5, 1e-9);
    meter.needle(0.0, start, end);
    EXPECT_NEAR(end.x, 157.5, 0.05);
    EXPECT_NEAR(end.y, 81.0, 0.05);
    meter.needle(1.0, start, end);
    EXPECT_NEAR(end.x, 243.5, 0.05);
    EXPECT_NEAR(end.y, 81.0, 0.05);
}

TEST(Needle, GlidesOneReadingIntervalBehindAndHoldsWhenReadingsStop)
{
    ManualTick tick;
    EditorHarness h;
    vellaCorEditor& e = h.editor();
    CVelVuMeter2& meter = *e.getMeter();
    tick.now = 1000;
    e.setParameter(13, 0.2);
    tick.now = 1100;
    e.setParameter(13, 0.4);
    e.idle(); // fresh: the previous reading
    EXPECT_DOUBLE_EQ(meter.getValue(), 0.2);
    tick.now = 1150;
    e.idle();
    EXPECT_NEAR(meter.getValue(), 0.3, 1e-12);
    tick.now = 1200;
    e.idle();
    EXPECT_NEAR(meter.getValue(), 0.4, 1e-12);
    // No reading since: the needle stays on the last one instead of running on to 0.6 and beyond.
    for (uint32_t t : {1300u, 1500u, 60000u})
    {
        tick.now = t;
        e.idle();
        EXPECT_NEAR(meter.getValue(), 0.4, 1e-12) << t;
    }
    // Two readings at the same tick leave it on the earlier one.
    tick.now = 70000;
    e.setParameter(13, 0.9);
    e.setParameter(13, 0.7);
    e.idle();
    tick.now = 70100;
    e.idle();
    EXPECT_DOUBLE_EQ(meter.getValue(), 0.9);
    // The meter reset puts everything at rest.
    e.setParameter(72, 1.0);
    EXPECT_DOUBLE_EQ(meter.getValue(), 0.0);
    tick.now = 70200;
    e.idle();
    e.idle();
    EXPECT_DOUBLE_EQ(meter.getValue(), 0.0);
}

TEST(Needle, AReadingWakesTheSharedIdleWhichTicksUntilTheNeedleArrives)
{
    ManualTick tick;
    EditorHarness h;
    auto& idle = Qorwerk::IdleUpdate_Qor_Handler::instance();
    for (int i = 0; i < 60; ++i) // the hint and readout rests run out at the still pointer
        idle.tick();
    ASSERT_FALSE(idle.isAwake());
    CVelVuMeter2& meter = *h.editor().getMeter();
    tick.now = 1000;
    h.engine.forwardParameter(13, 0.2);
    EXPECT_TRUE(idle.isAwake());
    tick.now = 1100;
    h.engine.forwardParameter(13, 0.4);
    idle.tick();
    EXPECT_DOUBLE_EQ(meter.getValue(), 0.2);
    tick.now = 1150;
    idle.tick();
    EXPECT_NEAR(meter.getValue(), 0.3, 1e-12);
    EXPECT_TRUE(idle.isAwake()) << "halfway";
    tick.now = 1200;
    idle.tick();
    EXPECT_NEAR(meter.getValue(), 0.4, 1e-12);
    EXPECT_FALSE(idle.isAwake()) << "arrived: nothing left to glide";
    // A reading handed to the editor directly wakes it as well.
    h.editor().setParameter(13, 0.6);
    EXPECT_TRUE(idle.isAwake());
}

TEST(Needle, GlideAcrossTheTickCounterWrap)
{
    vellaCorNeedleGlide glide;
    glide.reading(0.2, 0xffffffc0u); // 64 ms before the wrap
    glide.reading(0.6, 0x00000040u); // 64 ms after it
    EXPECT_DOUBLE_EQ(glide.shown(0x40u), 0.2);
    EXPECT_NEAR(glide.shown(0x80u), 0.4, 1e-12);
    EXPECT_NEAR(glide.shown(0x100u), 0.6, 1e-12);
}

TEST(Needle, DrawnOverTheLitOrUnlitFaceInItsColour)
{
    for (double zoom : {1.0, 2.0})
    {
        EditorHarness h(zoom);
        vellaCorEditor& e = h.editor();
        e.getMeter()->setValue(0.5);
        // Straight up along x = 200.5: fully covered pixels at both zooms.
        const uint32_t lit = h.pixel(200.5, 90);
        EXPECT_TRUE(near(lit, 170, 165, 160, 3)) << std::hex << lit << " zoom " << zoom;
        const uint32_t litFace = h.pixel(170, 100);
        e.setParameter(0, 0.0); // Off
        const uint32_t unlit = h.pixel(200.5, 90);
        EXPECT_TRUE(near(unlit, 140, 135, 130, 3)) << std::hex << unlit << " zoom " << zoom;
        // The unlit face is cooler: less red against its blue than the warm one.
        const uint32_t unlitFace = h.pixel(170, 100);
        EXPECT_GT(red(litFace) - blue(litFace), red(unlitFace) - blue(unlitFace) + 20) << zoom;
        // The needle moves away: the face shows again where it stood.
        e.setParameter(0, 1.0);
        e.getMeter()->setValue(0.0);
        EXPECT_FALSE(near(h.pixel(200.5, 90), 170, 165, 160, 3)) << zoom;
        // Clipped to the window: nothing drawn below the face, where the pivot lies.
        const uint32_t belowBefore = h.pixel(200.5, 130);
        e.getMeter()->setValue(0.5);
        EXPECT_EQ(h.pixel(200.5, 130), belowBefore) << zoom;
    }
}

TEST(About, TheNameOpensItAndAClickBesideTheLinkClosesIt)
{
    RecordedShell shell;
    EditorHarness h;
    vellaCorEditor& e = h.editor();
    QorViewContainer* about = e.getAboutContainer();
    EXPECT_FALSE(h.engine.isContainerAttached(about));
    h.click(200, 20); // the painted product name
    EXPECT_TRUE(h.engine.isContainerAttached(about));
    EXPECT_EQ(h.lastSent(), (std::pair<int32_t, double>{93, 1.0}));
    h.pixel(0, 0); // painted: the link area is measured
    const QorRect link = e.getAbout()->getLinkArea();
    // The link area's corners open the web site and keep the box.
    for (auto [x, y] : {std::pair{link.left, 130.0}, {link.right, 154.0}, {200.0, 140.0}})
    {
        h.click(x, y);
        EXPECT_TRUE(h.engine.isContainerAttached(about)) << x << "," << y;
    }
    ASSERT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(shell.opened[0], vellaCorIdentity::kMakerWebAddress);
    // Just outside: closes, even over a knob below.
    h.click(link.left - 1, 130);
    EXPECT_FALSE(h.engine.isContainerAttached(about));
    EXPECT_EQ(h.lastSent(), (std::pair<int32_t, double>{94, 1.0}));
    EXPECT_EQ(shell.opened.size(), 3u);
    h.click(200, 20);
    // A press over the Time knob closes the box; moving on with the button held is no drag.
    h.frame().mouseDown(h.at(80, 200), qortk::kLButton);
    h.move(120, 190, qortk::kLButton);
    h.move(150, 200, qortk::kLButton);
    h.frame().mouseUp(h.at(150, 200), qortk::kLButton);
    EXPECT_FALSE(h.engine.isContainerAttached(about));
    EXPECT_EQ(h.lastSent().first, 94) << "the Time knob under the box stays untouched";
}

TEST(About, VersionLabelAndTheLinkUnderlineOnHover)
{
    RecordedShell shell;
    EditorHarness h(2.0);
    vellaCorEditor& e = h.editor();
    EXPECT_STREQ(e.getAbout()->getVersionLabel(), "v.2.2.2");
    e.setParameter(93, 1.0);
    const uint32_t before = h.pixel(200, 150.2);
    EXPECT_FALSE(near(before, 54, 151, 206, 12));
    h.move(150, 140);
    EXPECT_TRUE(e.getAbout()->isLinkHovered());
    EXPECT_TRUE(near(h.pixel(200, 150.2), 54, 151, 206, 12)) << std::hex << h.pixel(200, 150.2);
    h.move(150, 160);
    EXPECT_FALSE(e.getAbout()->isLinkHovered());
    EXPECT_EQ(h.pixel(200, 150.2), before);
    EXPECT_TRUE(shell.opened.empty());
}

TEST(About, TheLinksHoverAreaIsAsWideAsThePaintedAddress)
{
    RecordedShell shell;
    EditorHarness h(2.0);
    vellaCorEditor& e = h.editor();
    e.setParameter(93, 1.0);
    // The painted address: the only blue lettering, in the rows 130..154.
    double left = 1e9, right = -1e9;
    for (double y = 130; y < 154; y += 0.5)
        for (double x = 60; x < 340; x += 0.5)
        {
            const uint32_t p = h.pixel(x, y);
            const int r = int(p >> 24), b = int((p >> 8) & 0xff);
            if (b > 150 && b > r + 60)
            {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    ASSERT_LT(left, right);
    for (double x : {left + 1, (left + right) / 2, right - 1})
    {
        h.move(x, 142);
        EXPECT_TRUE(e.getAbout()->isLinkHovered()) << x;
    }
    for (double x : {left - 6, right + 6})
    {
        h.move(x, 142);
        EXPECT_FALSE(e.getAbout()->isLinkHovered()) << x << " beside the address " << left << ".." << right;
    }
    h.click(right + 6, 142);
    EXPECT_TRUE(shell.opened.empty());
}

TEST(About, TheCreditNamesTheFormatTheEngineRunsIn)
{
    RecordedShell shell;
    {
        EditorHarness h;
        // An engine that was not told its format claims none, least of all AAX.
        EXPECT_EQ(h.editor().getAbout()->getCredit(), "");
    }
    RecordingHostEngine engine;
    engine.setPluginFormat(QorPluginFormats::kStandalone);
    engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kOffscreen);
    EXPECT_EQ(static_cast<vellaCorEditor*>(engine.getEditor())->getAbout()->getCredit(), "Stand-alone editor");
}

TEST(About, ALinkThatNoBrowserOpensIsSaidInTheBox)
{
    qortest::FakeTools tools;
    tools.add("xdg-open", "exit 3");
    qortest::ScopedEnv path("PATH", tools.path());
    EditorHarness h;
    vellaCorEditor& e = h.editor();
    e.setParameter(93, 1.0);
    h.click(200, 140);
    EXPECT_EQ(e.getAbout()->getNote(), "") << "the answer comes from the idle, not from the click";
    ASSERT_TRUE(qortest::pollUntilReaped());
    EXPECT_EQ(e.getAbout()->getNote(), std::string(CInfo::kOpenFailed) + vellaCorIdentity::kMakerWebAddress);
    EXPECT_EQ(tools.args("xdg-open"), std::string(vellaCorIdentity::kMakerWebAddress) + "\n");
    EXPECT_TRUE(h.engine.isContainerAttached(e.getAboutContainer()));
}

TEST(About, AClosedEditorGetsNoAnswerFromTheBrowser)
{
    qortest::FakeTools tools;
    tools.add("xdg-open", "exit 3");
    qortest::ScopedEnv path("PATH", tools.path());
    {
        EditorHarness h;
        h.editor().setParameter(93, 1.0);
        h.click(200, 140);
    }
    // The box is gone; its answer must not reach it (the sanitizer build sees a use after free).
    EXPECT_TRUE(qortest::pollUntilReaped());
}

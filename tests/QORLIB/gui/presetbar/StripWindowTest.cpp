// The strip in a real X11 window under a private Xvfb, pressed by xdotool as a person's mouse
// would: real double clicks (two presses the window itself pairs) and drags that move at once.
#include "QORLIB/gui/presetbar/PresetBarScaleMenuButton.h"
#include "QORLIB/gui/presetbar/PresetBarScaleOptionMenuHandler.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "tests/QORLIB/gui/presetbar/StripHarness.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>
#include <X11/Xlib.h>

#include <string>
#include <unistd.h>

namespace
{
struct StripWindow : testing::Test
{
    XvfbServer server;
    std::unique_ptr<StripEngine> engine;
    qortk::X11Window* window = nullptr;
    std::string id;

    void SetUp() override
    {
        if (!server.ok())
            GTEST_SKIP() << "no X server for this test: " << server.reason();
        if (!QorProcessRunner::onPath("xdotool"))
            GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
        engine = std::make_unique<StripEngine>();
        std::string error;
        ASSERT_TRUE(engine->open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kX11Window, 0, &error)) << error;
        engine->setZoom(1.0);
        window = static_cast<qortk::X11Window*>(engine->getFrame()->platform());
        ASSERT_TRUE(window->waitUntilShown(5000));
        id = std::to_string(window->windowId());
        pump(10);
    }
    void TearDown() override
    {
        if (engine)
            engine->close();
    }
    // The window's events and the editor's idle, as the host's loop runs them.
    void pump(int rounds)
    {
        for (int i = 0; i < rounds; ++i)
        {
            window->idle();
            engine->idle();
            usleep(5000);
        }
    }
    bool xdotool(const std::vector<std::string>& args)
    {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        const int code = qortest::runPumping(argv, [&] { pump(1); });
        pump(20);
        return code == 0;
    }
};
} // namespace

TEST_F(StripWindow, ARealDoubleClickOnThePercentageReturnsTo100Percent)
{
    engine->setZoom(1.05);
    pump(10);
    ASSERT_TRUE(xdotool({"mousemove", "--sync", "--window", id, "31", "14", "click", "--repeat", "2", "--delay", "80",
                         "1"}));
    EXPECT_DOUBLE_EQ(engine->getZoomFactor(), 1.0);
    EXPECT_FALSE(engine->zoomControl()->popupHandler()->isPopupOpen());
    EXPECT_EQ(engine->zoomControl()->label(), "100%");
}

TEST_F(StripWindow, TheCornerGripFollowsADragThatMovesRightAfterThePress)
{
    ASSERT_TRUE(xdotool({"mousemove", "--sync", "--window", id, "390", "320"}));
    ASSERT_TRUE(engine->isCornerShown());
    // Press, move and release in one go: no idle tick sees the button down over the grip.
    ASSERT_TRUE(xdotool({"mousedown", "1", "mousemove", "--window", id, "585", "480", "mouseup", "1"}));
    EXPECT_NEAR(engine->getZoomFactor(), 1.51, 0.011);
    EXPECT_FALSE(engine->isCornerDragging());
}

// A host that shows only part of a large editor (jalv's window keeps the 100 % size while the
// editor opens at 400 %): the pointer beside the host's window lies over the editor's hidden part.
// No hint may wait there to show up once the host's window grows.
TEST(StripWindowInAHost, NoHintWhileThePointerIsOverTheEditorsHiddenPart)
{
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    if (!QorProcessRunner::onPath("xdotool"))
        GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
    QorGlobalSettings::hintsFlag() = 1;
    Display* host = XOpenDisplay(nullptr);
    ASSERT_NE(host, nullptr);
    const Window outer = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 400, 327, 0, 0, 0);
    XMapWindow(host, outer);
    XSync(host, False);
    {
        StripEngine engine;
        std::string error;
        ASSERT_TRUE(engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kX11Embedded, outer, &error)) << error;
        engine.setZoom(4.0);
        auto* window = static_cast<qortk::X11Window*>(engine.getFrame()->platform());
        ASSERT_TRUE(window->waitUntilShown(5000));
        const auto pump = [&](int rounds) {
            for (int i = 0; i < rounds; ++i)
            {
                window->idle();
                engine.idle();
                usleep(3000);
            }
        };
        // Over the Ratio knob's place at 400 % (85, 137 points of the frame), beyond the host's
        // window.
        ASSERT_EQ(qortest::runPumping({"xdotool", "mousemove", "--sync", "340", "548"}, [&] { pump(1); }), 0);
        pump(80);
        EXPECT_FALSE(engine.getFrame()->tooltip().isShown() && !engine.getFrame()->tooltip().text().empty())
            << engine.getFrame()->tooltip().text();
        // Over the part the host shows (the zoom percentage), the hint comes as usual.
        ASSERT_EQ(qortest::runPumping({"xdotool", "mousemove", "--sync", "100", "40"}, [&] { pump(1); }), 0);
        pump(80);
        EXPECT_TRUE(engine.getFrame()->tooltip().isShown());
        EXPECT_EQ(engine.getFrame()->tooltip().text().rfind("Scroll this percentage", 0), 0u)
            << engine.getFrame()->tooltip().text();
        engine.close();
    }
    XDestroyWindow(host, outer);
    XCloseDisplay(host);
}

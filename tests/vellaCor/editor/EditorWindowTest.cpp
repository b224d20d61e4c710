// The panel in a real X11 window under a private Xvfb, driven by xdotool as a person's mouse
// would: the drag must reach the product editor as a parameter edit.
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "tests/QORLIB/gui/toolkit/XdotoolInWindow.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/ChildProcess.h"
#include "tests/vellaCor/editor/EditorHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include <X11/Xlib.h>
#undef None
#undef Bool

using qortest::xdotoolInWindow;

TEST(EditorWindow, AMouseDragOnTheTimeKnobReachesTheEditorAsAnEdit)
{
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    if (!QorProcessRunner::onPath("xdotool"))
        GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
    RecordingHostEngine engine;
    std::string error;
    ASSERT_TRUE(engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kX11Window, 0, &error)) << error;
    engine.setZoom(1.5);
    auto* editor = static_cast<vellaCorEditor*>(engine.getEditor());
    editor->setParameter(4, 0.2);
    auto* window = static_cast<qortk::X11Window*>(engine.getFrame()->platform());
    ASSERT_TRUE(window->waitUntilShown(5000));
    const std::string id = std::to_string(window->windowId());
    // The Time knob's centre (85, 200) is (127.5, 378) on screen at 150 %; 90 points to the right
    // (135 pixels) raise it by 90 / 300.
    ASSERT_TRUE(xdotoolInWindow(*window, {"mousemove", "--sync", "--window", id, "127", "378", "mousedown", "1", "mousemove",
                                  "--sync", "--window", id, "262", "378", "mouseup", "1"}));
    ASSERT_FALSE(engine.sent.empty());
    EXPECT_EQ(engine.sent.back().first, 4);
    EXPECT_NEAR(engine.sent.back().second, 0.5, 0.004);
    EXPECT_FALSE(editor->getKnob(4)->isEditing()) << "the release ended the drag";
    engine.close();
}

TEST(EditorWindow, ADragFromBarePanelOntoTheTimeKnobIsNoEdit)
{
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    if (!QorProcessRunner::onPath("xdotool"))
        GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
    RecordingHostEngine engine;
    std::string error;
    ASSERT_TRUE(engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kX11Window, 0, &error)) << error;
    engine.setZoom(1.5);
    auto* editor = static_cast<vellaCorEditor*>(engine.getEditor());
    editor->setParameter(4, 0.5);
    auto* window = static_cast<qortk::X11Window*>(engine.getFrame()->platform());
    ASSERT_TRUE(window->waitUntilShown(5000));
    const std::string id = std::to_string(window->windowId());
    // Product (15, 100), on no control, is (22, 228) at 150 %; the Time knob's centre (127, 378).
    ASSERT_TRUE(xdotoolInWindow(*window, {"mousemove", "--sync", "--window", id, "22", "228", "mousedown", "1", "mousemove",
                                  "--sync", "--window", id, "127", "378", "mousemove", "--sync", "--window", id, "90",
                                  "420", "mousemove", "--sync", "--window", id, "200", "300", "mouseup", "1"}));
    EXPECT_TRUE(engine.sent.empty()) << "sent " << engine.sent.front().first << "=" << engine.sent.front().second;
    EXPECT_DOUBLE_EQ(editor->getKnob(4)->getValue(), 0.5);
    engine.close();
}

// An open editor with nothing happening waits for no answer of the X server: the idle knows the
// pointer, the buttons and the modifier keys from the events. A round trip would leave its
// reply's sequence number behind as the last request the server is known to have processed;
// a repaint sends requests but waits for none.
TEST(EditorWindow, AnIdleEditorMakesNoRoundTripsToTheServer)
{
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    if (!QorProcessRunner::onPath("xdotool"))
        GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
    RecordingHostEngine engine;
    std::string error;
    ASSERT_TRUE(engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kX11Window, 0, &error)) << error;
    auto* window = static_cast<qortk::X11Window*>(engine.getFrame()->platform());
    ASSERT_TRUE(window->waitUntilShown(5000));
    const std::string id = std::to_string(window->windowId());
    // The pointer rests on the panel where no control lies (product (15, 100)).
    ASSERT_TRUE(xdotoolInWindow(*window, {"mousemove", "--sync", "--window", id, "15", "152"}));
    for (int i = 0; i < 10; ++i)
    {
        engine.idle();
        window->idle();
    }
    Display* d = window->display();
    const unsigned long before = LastKnownRequestProcessed(d);
    uint32_t held = 0;
    for (int i = 0; i < 100; ++i)
    {
        engine.idle();
        window->idle();
        engine.getFrame()->currentMousePosition();
        engine.getButtonState(held);
        window->queryHeldKeys(held);
    }
    EXPECT_EQ(LastKnownRequestProcessed(d), before) << XNextRequest(d) - before << " requests since";
    // The pointer is still known where it rests.
    const qortk::Point p = engine.getFrame()->currentMousePosition();
    EXPECT_DOUBLE_EQ(p.x, 15.0);
    EXPECT_DOUBLE_EQ(p.y, 152.0);
    engine.close();
}

// The CLAP plug-in's editor embedded in a host's window under a private Xvfb: its size, a knob
// drag that reaches the host as one gesture, host values that reach the controls, the host's
// scale, hiding and destroying the editor while the instance keeps its presets.
#include "tests/QORLIB/format/dpf/ClapHost.h"
#include "tests/QORLIB/format/dpf/Vst3Host.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include "tests/QORLIB/format/dpf/X11Probe.h"
#undef None
#undef Bool

#include <chrono>
#include <string>
#include <thread>

namespace
{
const std::string kStereo = QOR_DPF_CLAP_DIR "/qor-vellacor-stereo.clap";
constexpr const char* kStereoId = "com.qor-werk.vellacor.stereo";
constexpr clap_id kRatio = 1, kCompression = 4;

void pump(qortest::ClapInstance& plugin, int ms)
{
    for (int t = 0; t < ms; t += 10)
    {
        plugin.runTimers();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
} // namespace

TEST(ClapGui, TheEditorEmbedsTakesEditsFollowsTheHostAndClosesCleanly)
{
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    if (!QorProcessRunner::onPath("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    qortest::ClapModule module(kStereo);
    ASSERT_TRUE(module.ok()) << module.error();
    qortest::ClapInstance plugin(module, kStereoId);
    ASSERT_TRUE(plugin.activate(48000, 256));
    std::vector<std::vector<float>> in(2, std::vector<float>(256, 0.0f)), out(2, std::vector<float>(256));
    ASSERT_TRUE(plugin.process(in, out, 256));

    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    const Window parent = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 900, 800, 0, 0, 0x202020);
    XMapWindow(d, parent);
    XSync(d, False);

    auto* gui = plugin.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
    ASSERT_NE(gui, nullptr);
    EXPECT_TRUE(gui->is_api_supported(plugin.plugin(), CLAP_WINDOW_API_X11, false));
    ASSERT_TRUE(gui->create(plugin.plugin(), CLAP_WINDOW_API_X11, false));
    const clap_window_t window{CLAP_WINDOW_API_X11, {.x11 = parent}};
    ASSERT_TRUE(gui->set_parent(plugin.plugin(), &window));
    ASSERT_TRUE(gui->show(plugin.plugin()));
    EXPECT_GE(plugin.timerCount(), 1u) << "the editor runs on the host's timer";
    pump(plugin, 300);

    // The editor at zoom 1 with its preset bar: 400 × 327, a child of the host's window.
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui->get_size(plugin.plugin(), &width, &height));
    EXPECT_EQ(width, 400u);
    EXPECT_EQ(height, 327u);
    const Window editor = qortest::findChild(d, parent, int(width), int(height));
    ASSERT_NE(editor, 0u) << "no editor window inside the host's";

    // A drag up on the Compression knob: one gesture, rising values, and the plug-in follows.
    const double before = plugin.value(kCompression);
    const std::string id = std::to_string(editor);
    const int code = qortest::runPumping({"xdotool", "mousemove", "--window", id, "200", "252", "mousedown", "1",
                                          "mousemove", "--window", id, "200", "200", "mousemove", "--window", id,
                                          "200", "162", "mouseup", "1"},
                                         [&] { plugin.runTimers(); });
    ASSERT_EQ(code, 0);
    pump(plugin, 200);
    ASSERT_TRUE(plugin.process(in, out, 256));
    int begins = 0, ends = 0, values = 0;
    for (const auto& e : plugin.outputs)
        EXPECT_TRUE(e.id == kCompression || e.id == 8) << "opening the editor or dragging one knob edits nothing else";
    double last = -1;
    for (const auto& e : plugin.outputs)
        if (e.id == kCompression)
        {
            begins += e.type == CLAP_EVENT_PARAM_GESTURE_BEGIN;
            ends += e.type == CLAP_EVENT_PARAM_GESTURE_END;
            if (e.type == CLAP_EVENT_PARAM_VALUE)
                ++values, last = e.value;
        }
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_GE(values, 1);
    EXPECT_GT(last, before + 1.0) << "the knob went up by more than a tenth of its range";
    EXPECT_DOUBLE_EQ(plugin.value(kCompression), last);

    // A host value reaches the controls: the ratio switch redraws.
    const uint64_t shown = qortest::regionHash(d, editor, 0, 52, int(width), int(height) - 52);
    ASSERT_TRUE(plugin.process(in, out, 256, {{kRatio, 6}}));
    pump(plugin, 300);
    EXPECT_NE(qortest::regionHash(d, editor, 0, 52, int(width), int(height) - 52), shown);

    // The host's scale: the editor zooms and asks the host for the new size.
    ASSERT_TRUE(gui->set_scale(plugin.plugin(), 1.5));
    pump(plugin, 300);
    EXPECT_EQ(plugin.requestedWidth, 600u);
    ASSERT_TRUE(gui->get_size(plugin.plugin(), &width, &height));
    EXPECT_EQ(width, 600u);
    XWindowAttributes a{};
    XGetWindowAttributes(d, editor, &a);
    EXPECT_EQ(a.width, 600);

    // Hidden and destroyed: the window is gone, the instance processes on, and a new editor opens.
    EXPECT_TRUE(gui->hide(plugin.plugin()));
    gui->destroy(plugin.plugin());
    XSync(d, False);
    EXPECT_EQ(qortest::findChild(d, parent, 0, 0), 0u);
    ASSERT_TRUE(plugin.process(in, out, 256));
    ASSERT_TRUE(gui->create(plugin.plugin(), CLAP_WINDOW_API_X11, false));
    ASSERT_TRUE(gui->set_parent(plugin.plugin(), &window));
    pump(plugin, 200);
    EXPECT_NE(qortest::findChild(d, parent, 0, 0), 0u);
    gui->destroy(plugin.plugin());
    XDestroyWindow(d, parent);
    XCloseDisplay(d);
}

TEST(Vst3Gui, TheEditorEmbedsInTheHostsViewAndItsDragIsOneEdit)
{
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    if (!QorProcessRunner::onPath("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    qortest::Vst3Module module(QOR_DPF_VST3_DIR "/qor-vellacor-stereo.vst3");
    ASSERT_TRUE(module.ok()) << module.error();
    qortest::Vst3Instance plugin(module);
    ASSERT_TRUE(plugin.ok());

    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    const Window parent = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 900, 800, 0, 0, 0x202020);
    XMapWindow(d, parent);
    XSync(d, False);
    int32_t width = 0, height = 0;
    ASSERT_TRUE(plugin.openView(parent, width, height));
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 327);
    ASSERT_FALSE(plugin.timers.empty()) << "the view runs on the host's run loop";
    auto pumpView = [&](int ms) {
        for (int t = 0; t < ms; t += 10)
        {
            plugin.runTimers();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    };
    pumpView(300);
    const Window editor = qortest::findChild(d, parent, width, height);
    ASSERT_NE(editor, 0u);

    plugin.edits.log.clear();
    const std::string id = std::to_string(editor);
    ASSERT_EQ(qortest::runPumping({"xdotool", "mousemove", "--window", id, "200", "252", "mousedown", "1", "mousemove",
                                   "--window", id, "200", "162", "mouseup", "1"},
                                  [&] { plugin.runTimers(); }),
              0);
    pumpView(300);
    // The compression parameter follows the program list's parameter: id 5.
    ASSERT_GE(plugin.edits.log.size(), 3u);
    EXPECT_EQ(plugin.edits.log.front(), "b5");
    EXPECT_EQ(plugin.edits.log.back(), "e5");
    for (std::size_t i = 1; i + 1 < plugin.edits.log.size(); ++i)
        EXPECT_EQ(plugin.edits.log[i].rfind("p5=", 0), 0u) << plugin.edits.log[i];

    plugin.closeView();
    XSync(d, False);
    EXPECT_EQ(qortest::findChild(d, parent, 0, 0), 0u);
    XDestroyWindow(d, parent);
    XCloseDisplay(d);
}

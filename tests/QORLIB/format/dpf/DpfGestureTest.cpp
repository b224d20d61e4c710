// What a host's automation sees of the editor's gestures in CLAP and VST3, under a private
// Xvfb: a wheel notch and a Control-click reset are one begin, one value and one end each, two
// quick notches are two gestures, a preset load is one gesture for each value, and values coming
// from the host go nowhere back.
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
constexpr const char* kStereoId = "com.qor-werk.vellacor.stereo";
constexpr clap_id kRatio = 1, kCompression = 4, kMeter = 8;
// The knob's centre in the editor at zoom 1.
const std::vector<std::string> kAtKnob = {"200", "252"};

template <typename Pump> void pumpFor(Pump&& pump, int ms)
{
    for (int t = 0; t < ms; t += 10)
    {
        pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::vector<std::string> xdotool(Window editor, std::vector<std::string> actions)
{
    std::vector<std::string> argv = {"xdotool", "mousemove", "--window", std::to_string(editor), kAtKnob[0], kAtKnob[1]};
    argv.insert(argv.end(), actions.begin(), actions.end());
    return argv;
}

// The CLAP plug-in's events of one block other than the meter's, as "b4", "v4", "e4".
std::vector<std::string> clapEvents(const qortest::ClapInstance& plugin)
{
    std::vector<std::string> list;
    for (const auto& e : plugin.outputs)
    {
        if (e.id == kMeter)
            continue;
        const char kind = e.type == CLAP_EVENT_PARAM_GESTURE_BEGIN ? 'b'
                          : e.type == CLAP_EVENT_PARAM_GESTURE_END ? 'e'
                          : e.type == CLAP_EVENT_PARAM_VALUE       ? 'v'
                                                                   : '?';
        list.push_back(std::to_string(e.id).insert(0, 1, kind));
    }
    return list;
}
} // namespace

TEST(DpfGestures, ClapWheelNotchResetAndHostValues)
{
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    if (!QorProcessRunner::onPath("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    qortest::ClapModule module(QOR_DPF_CLAP_DIR "/qor-vellacor-stereo.clap");
    ASSERT_TRUE(module.ok()) << module.error();
    qortest::ClapInstance plugin(module, kStereoId);
    ASSERT_TRUE(plugin.activate(48000, 256));
    std::vector<std::vector<float>> in(2, std::vector<float>(256, 0.0f)), out(2, std::vector<float>(256));

    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    const Window parent = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 900, 800, 0, 0, 0x202020);
    XMapWindow(d, parent);
    XSync(d, False);
    auto* gui = plugin.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
    ASSERT_NE(gui, nullptr);
    ASSERT_TRUE(gui->create(plugin.plugin(), CLAP_WINDOW_API_X11, false));
    const clap_window_t window{CLAP_WINDOW_API_X11, {.x11 = parent}};
    ASSERT_TRUE(gui->set_parent(plugin.plugin(), &window));
    ASSERT_TRUE(gui->show(plugin.plugin()));
    auto pump = [&] { plugin.runTimers(); };
    pumpFor(pump, 300);
    const Window editor = qortest::findChild(d, parent, 400, 327);
    ASSERT_NE(editor, 0u);
    ASSERT_TRUE(plugin.process(in, out, 256));
    ASSERT_EQ(clapEvents(plugin), std::vector<std::string>{}) << "opening the editor edits nothing";

    // One notch up: one gesture with one value, a step above where the knob stood.
    const double start = plugin.value(kCompression);
    ASSERT_EQ(qortest::runPumping(xdotool(editor, {"click", "4"}), pump), 0);
    pumpFor(pump, 200);
    ASSERT_TRUE(plugin.process(in, out, 256));
    EXPECT_EQ(clapEvents(plugin), (std::vector<std::string>{"b4", "v4", "e4"}));
    const double notched = plugin.value(kCompression);
    EXPECT_GT(notched, start);

    // Two notches in a row are two gestures, even when both arrive before one tick.
    ASSERT_EQ(qortest::runPumping(xdotool(editor, {"click", "--repeat", "2", "--delay", "1", "4"}), [] {}), 0);
    pumpFor(pump, 200);
    ASSERT_TRUE(plugin.process(in, out, 256));
    EXPECT_EQ(clapEvents(plugin), (std::vector<std::string>{"b4", "v4", "e4", "b4", "v4", "e4"}));
    EXPECT_GT(plugin.value(kCompression), notched);

    // Control-click: back to the default in one gesture.
    ASSERT_EQ(qortest::runPumping(xdotool(editor, {"keydown", "ctrl", "click", "1", "keyup", "ctrl"}), pump), 0);
    pumpFor(pump, 200);
    ASSERT_TRUE(plugin.process(in, out, 256));
    EXPECT_EQ(clapEvents(plugin), (std::vector<std::string>{"b4", "v4", "e4"}));
    const auto* params = plugin.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    ASSERT_NE(params, nullptr);
    clap_param_info_t info{};
    ASSERT_TRUE(params->get_info(plugin.plugin(), kCompression, &info));
    EXPECT_DOUBLE_EQ(plugin.value(kCompression), info.default_value);

    // The preset bar's next-preset arrow: each of the preset's values is a gesture of its own.
    ASSERT_EQ(qortest::runPumping({"xdotool", "mousemove", "--window", std::to_string(editor), "102", "12", "click", "1"},
                                  pump),
              0);
    pumpFor(pump, 200);
    ASSERT_TRUE(plugin.process(in, out, 256));
    const std::vector<std::string> load = clapEvents(plugin);
    ASSERT_GE(load.size(), 3u);
    ASSERT_EQ(load.size() % 3, 0u) << ::testing::PrintToString(load);
    for (std::size_t i = 0; i < load.size(); i += 3)
    {
        const std::string id = load[i].substr(1);
        EXPECT_EQ(load[i], "b" + id);
        EXPECT_EQ(load[i + 1], "v" + id);
        EXPECT_EQ(load[i + 2], "e" + id);
    }

    // The host's values reach the editor (it redraws) and never come back as edits.
    const uint64_t shown = qortest::regionHash(d, editor, 0, 52, 400, 275);
    ASSERT_TRUE(plugin.process(in, out, 256, {{kRatio, 6}, {kCompression, 7.5}}));
    EXPECT_EQ(clapEvents(plugin), std::vector<std::string>{});
    pumpFor(pump, 300);
    ASSERT_TRUE(plugin.process(in, out, 256));
    EXPECT_EQ(clapEvents(plugin), std::vector<std::string>{}) << "a host value was sent back";
    EXPECT_NE(qortest::regionHash(d, editor, 0, 52, 400, 275), shown);

    gui->destroy(plugin.plugin());
    XDestroyWindow(d, parent);
    XCloseDisplay(d);
}

TEST(DpfGestures, Vst3WheelNotchResetAndHostValues)
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
    auto pump = [&] { plugin.runTimers(); };
    pumpFor(pump, 300);
    const Window editor = qortest::findChild(d, parent, width, height);
    ASSERT_NE(editor, 0u);
    EXPECT_EQ(plugin.edits.log, std::vector<std::string>{}) << "opening the editor edits nothing";

    // Compression is id 5, Ratio id 2 (the program list's parameter comes first).
    plugin.edits.log.clear();
    ASSERT_EQ(qortest::runPumping(xdotool(editor, {"click", "4"}), pump), 0);
    pumpFor(pump, 200);
    ASSERT_EQ(plugin.edits.log.size(), 3u);
    EXPECT_EQ(plugin.edits.log[0], "b5");
    EXPECT_EQ(plugin.edits.log[1].rfind("p5=", 0), 0u) << plugin.edits.log[1];
    EXPECT_EQ(plugin.edits.log[2], "e5");

    plugin.edits.log.clear();
    ASSERT_EQ(qortest::runPumping(xdotool(editor, {"click", "--repeat", "2", "--delay", "1", "4"}), [] {}), 0);
    pumpFor(pump, 200);
    ASSERT_EQ(plugin.edits.log.size(), 6u);
    EXPECT_EQ(plugin.edits.log[2], "e5");
    EXPECT_EQ(plugin.edits.log[3], "b5");

    plugin.edits.log.clear();
    ASSERT_EQ(qortest::runPumping(xdotool(editor, {"keydown", "ctrl", "click", "1", "keyup", "ctrl"}), pump), 0);
    pumpFor(pump, 200);
    ASSERT_EQ(plugin.edits.log.size(), 3u);
    EXPECT_EQ(plugin.edits.log[0], "b5");
    EXPECT_EQ(plugin.edits.log[1].rfind("p5=", 0), 0u) << plugin.edits.log[1];
    EXPECT_EQ(plugin.edits.log[2], "e5");

    plugin.edits.log.clear();
    const uint64_t shown = qortest::regionHash(d, editor, 0, 52, width, height - 52);
    // Automation comes with the audio, as the host plays it back.
    ASSERT_TRUE(plugin.activate(48000, 256));
    std::vector<std::vector<float>> in(2, std::vector<float>(256, 0.0f)), out(2, std::vector<float>(256));
    ASSERT_TRUE(plugin.process(in, out, 256, {{2, 1.0}, {5, 0.75}}));
    pumpFor(pump, 300);
    EXPECT_EQ(plugin.edits.log, std::vector<std::string>{}) << "a host value was sent back";
    EXPECT_NE(qortest::regionHash(d, editor, 0, 52, width, height - 52), shown);

    plugin.closeView();
    XDestroyWindow(d, parent);
    XCloseDisplay(d);
}

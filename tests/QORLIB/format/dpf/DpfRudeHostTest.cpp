// Hosts that tear their window down before the editor's (with or without idle ticks between),
// and hosts that open and close the editor many times: the host lives on, its own X error
// handler sees none of the editor's errors, and no windows or connections are left behind.
#include "tests/QORLIB/format/dpf/ClapHost.h"
#include "tests/QORLIB/format/dpf/Vst3Host.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include "tests/QORLIB/format/dpf/X11Probe.h"
#include "tests/QORLIB/gui/toolkit/TestHostDisplay.h"
#undef None
#undef Bool

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace
{
constexpr const char* kStereoId = "com.qor-werk.vellacor.stereo";

template <typename Pump> void pumpFor(Pump&& pump, int ms)
{
    for (int t = 0; t < ms; t += 10)
    {
        pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int countWindows(Display* d, Window w)
{
    Window root, up, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &up, &children, &count))
        return 0;
    int n = int(count);
    for (unsigned i = 0; i < count; ++i)
        n += countWindows(d, children[i]);
    if (children)
        XFree(children);
    return n;
}

int openFiles()
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

// The host's side: a CLAP editor in a window of its own.
struct ClapSide
{
    explicit ClapSide(qortest::ClapInstance& p) : plugin(p), gui(p.extension<clap_plugin_gui_t>(CLAP_EXT_GUI)) {}
    bool open(Window parent)
    {
        const clap_window_t window{CLAP_WINDOW_API_X11, {.x11 = parent}};
        return gui && gui->create(plugin.plugin(), CLAP_WINDOW_API_X11, false) &&
               gui->set_parent(plugin.plugin(), &window) && gui->show(plugin.plugin());
    }
    void close() { gui->destroy(plugin.plugin()); }
    void pump() { plugin.runTimers(); }
    qortest::ClapInstance& plugin;
    const clap_plugin_gui_t* gui;
};

struct Vst3Side
{
    explicit Vst3Side(qortest::Vst3Instance& p) : plugin(p) {}
    bool open(Window parent)
    {
        int32_t w = 0, h = 0;
        return plugin.openView(parent, w, h);
    }
    void close() { plugin.closeView(); }
    void pump() { plugin.runTimers(); }
    qortest::Vst3Instance& plugin;
};

// The window goes first, then the editor: right away, or after ticks in which the editor sees
// its parent gone. The host makes an error of its own at the end, which its handler must get.
template <typename Side> void rudeHost(Side& side, int ticksBetween)
{
    TestHostDisplay host;
    ASSERT_TRUE(host.ok());
    const Window parent = host.openWindow(900, 800);
    ASSERT_TRUE(side.open(parent));
    pumpFor([&] { side.pump(); }, 300);
    ASSERT_NE(qortest::findChild(host.display(), parent, 400, 327), 0u) << "the editor is not in the host's window";
    host.destroyWindow();
    pumpFor([&] { side.pump(); }, ticksBetween * 10);
    side.close();
    pumpFor([&] { side.pump(); }, 100);
    XSync(host.display(), False);
    EXPECT_EQ(TestHostDisplay::foreign(host.display()), 0) << "the editor's X errors reached the host's handler";
    EXPECT_TRUE(TestHostDisplay::handlerIsCurrent()) << "the host's error handler was replaced";
    const std::size_t before = TestHostDisplay::errors().size();
    host.makeOwnError();
    ASSERT_EQ(TestHostDisplay::errors().size(), before + 1);
    EXPECT_EQ(TestHostDisplay::errors().back().display, host.display());
}

// The editor opened and closed again and again in one window: afterwards as many windows on the
// server and files open as after the first round.
template <typename Side> void openAndClose(Side& side)
{
    TestHostDisplay host;
    ASSERT_TRUE(host.ok());
    const Window parent = host.openWindow(900, 800);
    const Window root = DefaultRootWindow(host.display());
    auto round = [&] {
        ASSERT_TRUE(side.open(parent));
        pumpFor([&] { side.pump(); }, 50);
        EXPECT_NE(qortest::findChild(host.display(), parent, 400, 327), 0u);
        side.close();
        XSync(host.display(), False);
    };
    round();
    const int windows = countWindows(host.display(), root);
    const int files = openFiles();
    for (int i = 1; i < 20; ++i)
        round();
    EXPECT_EQ(countWindows(host.display(), root), windows);
    EXPECT_EQ(openFiles(), files);
    EXPECT_EQ(qortest::findChild(host.display(), parent, 0, 0), 0u) << "a window of the editor's outlived it";
    EXPECT_EQ(TestHostDisplay::foreign(host.display()), 0);
}

#define SKIP_WITHOUT_X(server)                                                                                         \
    if (!(server).ok())                                                                                                \
    GTEST_SKIP() << "no X server for this test: " << (server).reason()
} // namespace

TEST(DpfRudeHost, ClapWindowDestroyedBeforeTheEditor)
{
    XvfbServer server;
    SKIP_WITHOUT_X(server);
    qortest::ClapModule module(QOR_DPF_CLAP_DIR "/qor-vellacor-stereo.clap");
    ASSERT_TRUE(module.ok()) << module.error();
    for (int ticks : {0, 30})
    {
        SCOPED_TRACE(ticks);
        qortest::ClapInstance plugin(module, kStereoId);
        ASSERT_TRUE(plugin.activate(48000, 256));
        ClapSide side(plugin);
        rudeHost(side, ticks);
        // The instance lives on and a new editor opens in a new window.
        ClapSide again(plugin);
        TestHostDisplay host;
        ASSERT_TRUE(again.open(host.openWindow(500, 400)));
        pumpFor([&] { again.pump(); }, 100);
        EXPECT_NE(qortest::findChild(host.display(), host.window(), 400, 327), 0u);
        again.close();
    }
}

TEST(DpfRudeHost, Vst3WindowDestroyedBeforeTheView)
{
    XvfbServer server;
    SKIP_WITHOUT_X(server);
    qortest::Vst3Module module(QOR_DPF_VST3_DIR "/qor-vellacor-stereo.vst3");
    ASSERT_TRUE(module.ok()) << module.error();
    for (int ticks : {0, 30})
    {
        SCOPED_TRACE(ticks);
        qortest::Vst3Instance plugin(module);
        ASSERT_TRUE(plugin.ok());
        Vst3Side side(plugin);
        rudeHost(side, ticks);
        Vst3Side again(plugin);
        TestHostDisplay host;
        ASSERT_TRUE(again.open(host.openWindow(500, 400)));
        pumpFor([&] { again.pump(); }, 100);
        EXPECT_NE(qortest::findChild(host.display(), host.window(), 400, 327), 0u);
        again.close();
    }
}

TEST(DpfRudeHost, ClapEditorOpenedAndClosedTwentyTimes)
{
    XvfbServer server;
    SKIP_WITHOUT_X(server);
    qortest::ClapModule module(QOR_DPF_CLAP_DIR "/qor-vellacor-stereo.clap");
    ASSERT_TRUE(module.ok()) << module.error();
    qortest::ClapInstance plugin(module, kStereoId);
    ASSERT_TRUE(plugin.activate(48000, 256));
    ClapSide side(plugin);
    openAndClose(side);
}

TEST(DpfRudeHost, Vst3ViewOpenedAndClosedTwentyTimes)
{
    XvfbServer server;
    SKIP_WITHOUT_X(server);
    qortest::Vst3Module module(QOR_DPF_VST3_DIR "/qor-vellacor-stereo.vst3");
    ASSERT_TRUE(module.ok()) << module.error();
    qortest::Vst3Instance plugin(module);
    ASSERT_TRUE(plugin.ok());
    Vst3Side side(plugin);
    openAndClose(side);
}

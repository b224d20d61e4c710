// The plug-in and its editor in jalv, as Linux users run it: JACK's dummy driver, a sine from
// jack_simple_client into the plug-in, the editor embedded in jalv's GTK window under a private
// Xvfb, driven by xdotool. What jalv reports (the gain_reduction port it prints) must follow a
// knob drag and a preset step made in the editor, and the needle must move while audio runs.
#include "QORLIB/platform/QorProcessRunner.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"
#include "vellaCor/vellaCorIdentity.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef None
#undef Bool

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace
{
void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The last value jalv printed for gain_reduction, or -1.
double lastGainReduction(const std::string& log)
{
    std::ifstream in(log);
    std::string line;
    double value = -1.0;
    while (std::getline(in, line))
        if (line.rfind("gain_reduction = ", 0) == 0)
            value = std::atof(line.c_str() + 17);
    return value;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// A window of the given size somewhere below root, or 0.
Window findChild(Display* d, Window root, int width, int height)
{
    Window r, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, root, &r, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
    {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && a.width == width && a.height == height)
            found = children[i];
        else
            found = findChild(d, children[i], width, height);
    }
    if (children)
        XFree(children);
    return found;
}

// A hash of the pixels of a window's rectangle.
uint64_t regionHash(Display* d, Window w, int x, int y, int width, int height)
{
    XImage* image = XGetImage(d, w, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image)
        return 0;
    uint64_t h = 1469598103934665603ull;
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            h = (h ^ XGetPixel(image, i, j)) * 1099511628211ull;
    XDestroyImage(image);
    return h;
}
} // namespace

TEST(Jalv, TheEditorEmbedsItsEditsAndPresetStepsReachThePluginAndTheNeedleMoves)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an instrumented module cannot be loaded into the uninstrumented jalv";
#endif
    for (const char* tool : {"jalv.gtk3", "jackd", "jack_simple_client", "jack_connect", "jack_wait", "xdotool"})
        if (!QorProcessRunner::onPath(tool))
            GTEST_SKIP() << tool << " is not installed (Debian packages jalv, jackd2, xdotool)";
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    qortest::TempDir dir("qor-jalv");
    const std::string jackName = "qor" + std::to_string(getpid());
    setenv("JACK_DEFAULT_SERVER", jackName.c_str(), 1);
    setenv("LV2_PATH", QOR_LV2_BUNDLE_DIR "/..", 1);
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);

    qortest::ChildProcess jack({"jackd", "-d", "dummy", "-r", "48000", "-p", "256"}, (dir.path() / "jackd.log").string());
    ASSERT_EQ(qortest::runProgram({"jack_wait", "-w", "-t", "10"}).exitCode, 0) << "jackd did not start";

    const std::string log = (dir.path() / "jalv.log").string();
    qortest::ChildProcess jalv({"stdbuf", "-oL", "jalv.gtk3", "--print-controls", "--jack-name", "qortest", "-x",
                                vellaCorIdentity::kLv2UriStereo},
                               log);
    std::string window;
    for (int i = 0; i < 100 && window.empty(); ++i)
    {
        pause(100);
        window = firstLine(qortest::runProgram({"xdotool", "search", "--name", "Qor vellaCor Stereo"}).out);
    }
    ASSERT_FALSE(window.empty()) << "jalv showed no window";
    pause(500);

    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    // Embedded: the editor's 400 × 327 window lies inside jalv's own window.
    const Window top = Window(std::stoul(window));
    const Window editor = findChild(d, top, 400, 327);
    ASSERT_NE(editor, 0u) << "no editor window inside jalv's";
    // Where the editor sits inside jalv's window (below jalv's menu).
    int ex = 0, ey = 0;
    Window child;
    XTranslateCoordinates(d, editor, top, 0, 0, &ex, &ey, &child);
    const auto at = [&](int x, int y) { return std::vector<std::string>{"--window", window, std::to_string(ex + x), std::to_string(ey + y)}; };
    auto xdo = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        return qortest::runProgram(args).exitCode == 0;
    };

    const uint64_t silentNeedle = regionHash(d, editor, 150, 66 + 52, 100, 43);
    // A sine into the plug-in.
    qortest::ChildProcess sine({"jack_simple_client"}, (dir.path() / "sine.log").string());
    pause(700);
    ASSERT_EQ(qortest::runProgram({"jack_connect", "jack_simple_client:output1", "qortest:in_l"}).exitCode, 0);
    ASSERT_EQ(qortest::runProgram({"jack_connect", "jack_simple_client:output2", "qortest:in_r"}).exitCode, 0);
    pause(1500);
    const double settled = lastGainReduction(log);
    EXPECT_GT(settled, 0.05) << "the plug-in compresses the sine";
    EXPECT_NE(regionHash(d, editor, 150, 66 + 52, 100, 43), silentNeedle) << "the needle moved";

    // Compression up by 90 points of 300: more reduction reported by jalv.
    auto move = at(200, 200 + 52);
    auto moved = at(200, 110 + 52);
    std::vector<std::string> drag{"mousemove"};
    drag.insert(drag.end(), move.begin(), move.end());
    drag.insert(drag.end(), {"mousedown", "1", "mousemove"});
    drag.insert(drag.end(), moved.begin(), moved.end());
    drag.insert(drag.end(), {"mouseup", "1"});
    ASSERT_TRUE(xdo(drag));
    pause(1500);
    const double compressed = lastGainReduction(log);
    EXPECT_GT(compressed, settled + 0.05) << "the drag reached the compression port";

    // The preset bar's next-preset arrow: "CompressLite1", the lightest curve.
    std::vector<std::string> click{"mousemove"};
    auto arrow = at(100, 13);
    click.insert(click.end(), arrow.begin(), arrow.end());
    click.insert(click.end(), {"click", "1"});
    ASSERT_TRUE(xdo(click));
    pause(1500);
    EXPECT_LT(lastGainReduction(log), compressed - 0.05) << "the preset's values reached the ports";
    XCloseDisplay(d);
}

// Opened at 150 %, the editor's window tells jalv one size: GTK finds no natural size below the
// minimum (it warns on standard error when it does).
TEST(Jalv, AZoomedEditorReportsSizesThatAgree)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an instrumented module cannot be loaded into the uninstrumented jalv";
#endif
    for (const char* tool : {"jalv.gtk3", "jackd", "jack_wait", "xdotool"})
        if (!QorProcessRunner::onPath(tool))
            GTEST_SKIP() << tool << " is not installed (Debian packages jalv, jackd2, xdotool)";
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    qortest::TempDir dir("qor-jalv-zoom");
    ASSERT_EQ(QorGlobalSettings::setGlobalSetting(QorGlobalSettings::kZoomSetting, 0.15), 0);
    const std::string jackName = "qorz" + std::to_string(getpid());
    setenv("JACK_DEFAULT_SERVER", jackName.c_str(), 1);
    setenv("LV2_PATH", QOR_LV2_BUNDLE_DIR "/..", 1);
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
    qortest::ChildProcess jack({"jackd", "-d", "dummy", "-r", "48000", "-p", "256"}, (dir.path() / "jackd.log").string());
    ASSERT_EQ(qortest::runProgram({"jack_wait", "-w", "-t", "10"}).exitCode, 0) << "jackd did not start";
    const std::string log = (dir.path() / "jalv.log").string();
    std::string window;
    {
        qortest::ChildProcess jalv({"jalv.gtk3", "--jack-name", "qortestz", "-x", vellaCorIdentity::kLv2UriStereo}, log);
        for (int i = 0; i < 100 && window.empty(); ++i)
        {
            pause(100);
            window = firstLine(qortest::runProgram({"xdotool", "search", "--name", "Qor vellaCor Stereo"}).out);
        }
        ASSERT_FALSE(window.empty()) << "jalv showed no window";
        pause(800);
        Display* d = XOpenDisplay(nullptr);
        ASSERT_NE(d, nullptr);
        EXPECT_NE(findChild(d, Window(std::stoul(window)), 600, 490), 0u) << "the editor is shown at 150 %";
        XCloseDisplay(d);
    }
    QorGlobalSettings::setGlobalSetting(QorGlobalSettings::kZoomSetting, 0.1);
    std::ifstream in(log);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.find("natural size must be >= min size"), std::string::npos) << text;
    EXPECT_EQ(text.find("WARNING"), std::string::npos) << text;
}

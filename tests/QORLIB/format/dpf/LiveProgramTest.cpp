// qor-vellacor-live as a user runs it: JACK's dummy driver, a sine from jack_simple_client into
// the program, its output recorded with jack_rec and compared with our processor on the same
// sine; the editor's window under a private Xvfb, where a knob drag changes what comes out.
// Closing the window ends it. Without a JACK server it says so and how to start one.
#include "QORLIB/platform/QorProcessRunner.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include <X11/Xlib.h>
#undef None
#undef Bool

#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>

namespace
{
const std::string kLive = QOR_LIVE_PROGRAM;

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The RMS of the second half of each channel of a 16-bit WAV file, or -1.
std::pair<double, double> wavRms(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t data = bytes.find("data");
    if (data == std::string::npos || bytes.size() < data + 8)
        return {-1, -1};
    const std::size_t start = data + 8, frames = (bytes.size() - start) / 4;
    double sum[2] = {0, 0};
    for (std::size_t f = frames / 2; f < frames; ++f)
        for (int c = 0; c < 2; ++c)
        {
            int16_t v;
            std::memcpy(&v, bytes.data() + start + 4 * f + 2 * std::size_t(c), 2);
            sum[c] += (v / 32768.0) * (v / 32768.0);
        }
    const double n = double(frames - frames / 2);
    return {frames ? std::sqrt(sum[0] / n) : -1, frames ? std::sqrt(sum[1] / n) : -1};
}

// jack_simple_client's sine (a 200-sample table of amplitude 0.2, right channel three times
// faster) through our processor at the first factory preset, the program's starting point.
std::pair<double, double> expectedRms()
{
    const std::size_t n = 96000;
    std::vector<float> left(n), right(n), outL(n), outR(n);
    for (std::size_t i = 0; i < n; ++i)
    {
        left[i] = float(0.2 * std::sin(double(i % 200) / 200.0 * M_PI * 2.0));
        right[i] = float(0.2 * std::sin(double((3 * i) % 200) / 200.0 * M_PI * 2.0));
    }
    double values[12];
    for (uint32_t i = 0; i < 12; ++i)
        values[i] = vellaCorParameters::getParameterDefault(i);
    vellaCorFactoryPresets::getFactoryPreset(0, values, nullptr, nullptr);
    vellaCorEffect effect;
    effect.setSampleRate(48000);
    for (uint32_t i : {0u, 2u, 3u, 4u, 5u, 6u, 7u})
        effect.setParameter(i, values[i]);
    effect.reset();
    float* in[2] = {left.data(), right.data()};
    float* out[2] = {outL.data(), outR.data()};
    effect.process(in, out, int32_t(n));
    double sum[2] = {0, 0};
    for (std::size_t i = n / 2; i < n; ++i)
        sum[0] += double(outL[i]) * outL[i], sum[1] += double(outR[i]) * outR[i];
    return {std::sqrt(sum[0] / double(n / 2)), std::sqrt(sum[1] / double(n / 2))};
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// Under the sanitizers the program is instrumented too; what libjack (not instrumented, loaded at
// run time) keeps at exit is not ours to report, so the program's leak check is off.
void quietLeakCheckForChildren()
{
#if defined(__SANITIZE_ADDRESS__)
    setenv("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1", 1);
#endif
}
} // namespace

TEST(LiveProgram, WithoutAServerItSaysHowToStartOne)
{
    if (!QorProcessRunner::onPath("jackd"))
        GTEST_SKIP() << "JACK is not installed (Debian package jackd2)";
    quietLeakCheckForChildren();
    setenv("JACK_DEFAULT_SERVER", ("qor-none-" + std::to_string(getpid())).c_str(), 1);
    const qortest::ProgramResult r = qortest::runProgram({kLive});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no JACK server is running"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("jackd -d alsa"), std::string::npos);
    EXPECT_NE(r.err.find("pw-jack qor-vellacor-live"), std::string::npos);
}

TEST(LiveProgram, ATonePassesCompressedAndAKnobDragChangesIt)
{
    for (const char* tool : {"jackd", "jack_simple_client", "jack_connect", "jack_wait", "jack_rec", "xdotool"})
        if (!QorProcessRunner::onPath(tool))
            GTEST_SKIP() << tool << " is not installed (Debian packages jackd2, xdotool)";
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    quietLeakCheckForChildren();
    qortest::TempDir dir("qor-live");
    setenv("JACK_DEFAULT_SERVER", ("qorlive" + std::to_string(getpid())).c_str(), 1);
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
    qortest::ChildProcess jack({"jackd", "-d", "dummy", "-r", "48000", "-p", "256"}, (dir.path() / "jackd.log").string());
    ASSERT_EQ(qortest::runProgram({"jack_wait", "-w", "-t", "10"}).exitCode, 0) << "jackd did not start";

    qortest::ChildProcess live({kLive}, (dir.path() / "live.log").string());
    std::string window;
    for (int i = 0; i < 100 && window.empty(); ++i)
    {
        pause(100);
        window = firstLine(qortest::runProgram({"xdotool", "search", "--name", "Qor vellaCor Stereo"}).out);
    }
    ASSERT_FALSE(window.empty()) << "the program showed no window";
    qortest::ChildProcess sine({"jack_simple_client"}, (dir.path() / "sine.log").string());
    pause(700);
    const std::string client = "Qor vellaCor Stereo:";
    ASSERT_EQ(qortest::runProgram({"jack_connect", "jack_simple_client:output1", client + "in_l"}).exitCode, 0);
    ASSERT_EQ(qortest::runProgram({"jack_connect", "jack_simple_client:output2", client + "in_r"}).exitCode, 0);
    pause(1000);

    auto record = [&](const char* name) {
        const std::string path = (dir.path() / name).string();
        qortest::runProgram({"jack_rec", "-f", path, "-d", "1", "-b", "16", client + "out_l", client + "out_r"});
        return wavRms(path);
    };
    const auto [left, right] = record("before.wav");
    const auto [wantLeft, wantRight] = expectedRms();
    const double dry = 0.2 / std::sqrt(2.0);
    EXPECT_NEAR(left, wantLeft, 0.02 * wantLeft) << "the live output is our processor's";
    EXPECT_NEAR(right, wantRight, 0.02 * wantRight);
    // Not a pass-through: at this level the first preset takes the sine about 4 % down.
    EXPECT_GT(std::fabs(wantLeft - dry), 0.02 * dry) << "the processor changes this tone";

    // Compression up by 90 points of 300 in the editor's own window.
    ASSERT_EQ(qortest::runProgram({"xdotool", "mousemove", "--window", window, "200", "252", "mousedown", "1",
                                   "mousemove", "--window", window, "200", "162", "mouseup", "1"})
                  .exitCode,
              0);
    pause(1500);
    const auto [afterLeft, afterRight] = record("after.wav");
    EXPECT_GT(std::fabs(afterLeft - left), 0.05 * left) << "the drag changed what comes out";
    EXPECT_GT(std::fabs(afterRight - right), 0.05 * right);
    int code = 0;
    EXPECT_FALSE(live.finished(code)) << "the program still runs";

    // Closing its window (as a window manager asks) ends the program normally.
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = Window(std::stoul(window));
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
    XFlush(d);
    XCloseDisplay(d);
    ASSERT_TRUE(live.waitFor(5000, code)) << "the program did not end";
    EXPECT_EQ(code, 0);
}

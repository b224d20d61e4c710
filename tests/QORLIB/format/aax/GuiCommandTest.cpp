// qor-aax-host gui as a person uses it, in a private Xvfb: the editor of an instance playing a
// file comes up in the host's window, a knob drag reaches the host's automation (printed) and the
// saved state, and both ways of closing (the window manager's close, Ctrl+C) end the program
// cleanly with the state kept.
#include "QORLIB/platform/QorProcessRunner.h"
#include "tests/QORLIB/format/aax/EditorGlueFixture.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

#include <X11/Xlib.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <thread>

using namespace aaxtest;

namespace
{
// Half a second of drums as 16-bit stereo WAV.
void writeDrums(const std::string& path)
{
    const std::vector<float> s = drums(22050, 44100.0, 3);
    std::ofstream out(path, std::ios::binary);
    const auto word = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(char((v >> (8 * i)) & 255u));
    };
    const uint32_t data = uint32_t(s.size() * 4);
    out.write("RIFF", 4);
    word(36 + data, 4);
    out.write("WAVEfmt ", 8);
    word(16, 4), word(1, 2), word(2, 2), word(44100, 4), word(44100 * 4, 4), word(4, 2), word(16, 2);
    out.write("data", 4);
    word(data, 4);
    for (float v : s)
        for (int ch = 0; ch < 2; ++ch)
            word(uint32_t(uint16_t(int16_t(v * 32000.0f))), 2);
}

std::string run(const std::vector<std::string>& args)
{
    return qortest::runProgram(args).out;
}

// The host window's id once it is shown, 0 after the time given.
unsigned long findWindow(const std::string& title)
{
    for (int i = 0; i < 100; ++i)
    {
        const std::string out = run({"xdotool", "search", "--name", "^" + title + "$"});
        if (!out.empty())
            return std::stoul(out);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

// What a window manager sends when the user closes the window.
void askToClose(unsigned long window)
{
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, window, False, NoEventMask, &e);
    XFlush(d);
    XCloseDisplay(d);
}

double savedTime(const std::filesystem::path& chunkFile)
{
    std::ifstream in(chunkFile, std::ios::binary);
    AaxChunk chunk{kAll, 0, "", std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {})};
    auto host = startedHost(linkedModule());
    auto instance = makeInstance(*host, AAX_eStemFormat_Stereo);
    EXPECT_EQ(instance->restoreChunk(chunk), AAX_SUCCESS);
    instance->idle();
    return instance->parameterValue(kTime);
}

class GuiCommand : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!server.ok())
            GTEST_SKIP() << "no X server for this test: " << server.reason();
        if (!QorProcessRunner::onPath("xdotool"))
            GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
        writeDrums(input());
    }
    std::string input() const { return (dir.path() / "drums.wav").string(); }
    std::filesystem::path saved() const { return dir.path() / "state"; }

    XvfbServer server;
    qortest::TempDir dir{"qor-aax-gui"};
};
} // namespace

TEST_F(GuiCommand, AKnobDragIsAutomatedAndKeptAndClosingTheWindowEndsTheProgram)
{
    qortest::ProgramResult result;
    std::thread program([&] {
        result = qortest::runProgram({QOR_AAX_HOST_PROGRAM, "gui", input(), "--save", saved().string()});
    });
    const unsigned long window = findWindow("Qor vellaCor - drums.wav");
    ASSERT_NE(window, 0u);
    const std::string id = std::to_string(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the editor inside it
    // The Time knob (85, 200 on the panel, below the 52-point strip) from 0.5, 90 pixels right.
    run({"xdotool", "mousemove", "--sync", "--window", id, "85", "252", "mousedown", "1", "mousemove", "--sync",
         "--window", id, "175", "252", "mouseup", "1", "sleep", "0.3"});
    askToClose(window);
    program.join();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("host: touch   4: Time"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("host: release 4: Time"), std::string::npos);
    EXPECT_NE(result.out.find("(echo, touched)"), std::string::npos);
    EXPECT_NE(result.out.find("ACFCanUnloadNow: 0 object(s) alive"), std::string::npos);
    EXPECT_NEAR(savedTime(saved() / "All.chunk"), 0.8, 0.004);
}

TEST_F(GuiCommand, CtrlCEndsTheProgramCleanly)
{
    qortest::ChildProcess program({QOR_AAX_HOST_PROGRAM, "gui", input(), "-q", "--save", saved().string()});
    ASSERT_TRUE(program.started());
    ASSERT_NE(findWindow("Qor vellaCor - drums.wav"), 0u);
    kill(program.pid(), SIGINT);
    int code = -1;
    ASSERT_TRUE(program.waitFor(10000, code));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(std::filesystem::exists(saved() / "All.chunk"));
    EXPECT_NEAR(savedTime(saved() / "All.chunk"), 0.5, 1e-6) << "the factory default, untouched";
}

TEST_F(GuiCommand, OffscreenNeedsATimeLimit)
{
    const auto r = qortest::runProgram({QOR_AAX_HOST_PROGRAM, "gui", input(), "--offscreen"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("--offscreen needs --seconds"), std::string::npos);
    const auto ok = qortest::runProgram({QOR_AAX_HOST_PROGRAM, "gui", input(), "--offscreen", "--seconds", "0.3", "-q"});
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_NE(ok.out.find("stopped after"), std::string::npos);
}

// The real shell, dialog and message box implementations, run against stand-in tools on PATH.
#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/platform/QorModuleFolder.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "QORLIB/platform/QorShell.h"
#include "QORLIB/platform/QorTick.h"
#include "tests/QORLIB/platform/ChildWait.h"
#include "tests/QORLIB/platform/FakeTool.h"
#include "tests/QORLIB/platform/ScopedEnv.h"
#include "tests/support/FileText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <thread>

using qortest::FakeTools;
using qortest::ScopedEnv;

namespace
{
const QorSaveDialog::Request kRequest{"Save preset", "/home/u/presets", "My Kick.qor", "Qor Preset",
                                      "qor"};

// Opens target with the real opener and returns what it reported once the idle delivered it.
std::optional<bool> openAndWait(const std::string& target)
{
    std::optional<bool> answer;
    QorShell::open(target, nullptr, [&](bool opened) { answer = opened; });
    EXPECT_TRUE(qortest::pollUntil([&] { return answer.has_value(); }));
    return answer;
}

struct Dialog
{
    bool answered = false;
    bool chosen = false;
    std::string path;
    QorSaveDialog::Done done()
    {
        return [this](bool c, const std::string& p) {
            answered = true;
            chosen = c;
            path = p;
        };
    }
};

Dialog runDialog()
{
    Dialog d;
    QorSaveDialog::start(kRequest, nullptr, d.done());
    EXPECT_TRUE(qortest::pollUntil([&] { return d.answered; }));
    return d;
}

TEST(Shell, PassesTheTargetAsOneArgumentWithoutAShell)
{
    FakeTools tools;
    tools.add("xdg-open", "exit 0");
    ScopedEnv path("PATH", tools.path());
    EXPECT_EQ(openAndWait("/home/u/User Presets/$(touch x); y"), true);
    EXPECT_EQ(tools.args("xdg-open"), "/home/u/User Presets/$(touch x); y\n");
    EXPECT_EQ(openAndWait("-rf"), true);
    EXPECT_EQ(tools.args("xdg-open"), "./-rf\n");
}

TEST(Shell, ReportsAFailingOrMissingOpenerThroughThePoll)
{
    FakeTools tools;
    tools.add("xdg-open", "exit 2");
    {
        ScopedEnv path("PATH", tools.path());
        EXPECT_EQ(openAndWait("/nowhere"), false);
    }
    qortest::TempDir empty;
    ScopedEnv path("PATH", empty.path().string());
    // Even a failure to start comes from the poll, never from inside open().
    bool called = false;
    QorShell::open("/nowhere", nullptr, [&](bool) { called = true; });
    EXPECT_FALSE(called);
    EXPECT_EQ(openAndWait("/nowhere"), false);
    EXPECT_EQ(openAndWait(""), false);
    EXPECT_TRUE(qortest::pollUntilReaped());
}

TEST(Shell, AnOpenerThatStaysDoesNotHoldUpTheCaller)
{
    FakeTools tools;
    tools.addGated("xdg-open", "exit 0");
    ScopedEnv path("PATH", tools.path());
    std::optional<bool> answer;
    QorShell::open("https://example.org/", nullptr, [&](bool opened) { answer = opened; });
    EXPECT_FALSE(tools.passedGate("xdg-open"));
    QorProcessRunner::poll();
    EXPECT_FALSE(answer.has_value());
    tools.release("xdg-open");
    ASSERT_TRUE(qortest::pollUntil([&] { return answer.has_value(); }));
    EXPECT_TRUE(*answer);
    EXPECT_TRUE(tools.passedGate("xdg-open"));
}

TEST(SaveDialog, ZenityGetsTitleFolderNameAndFilterAndItsPathIsTaken)
{
    FakeTools tools;
    tools.add("zenity", "echo '/home/u/presets/Snare.qor'");
    ScopedEnv path("PATH", tools.path());
    ScopedEnv display("DISPLAY", ":97");
    const Dialog d = runDialog();
    ASSERT_TRUE(d.chosen);
    EXPECT_EQ(d.path, "/home/u/presets/Snare.qor");
    EXPECT_EQ(tools.args("zenity"), "--file-selection\n--save\n--confirm-overwrite\n"
                                    "--title=Save preset\n--filename=/home/u/presets/My Kick.qor\n"
                                    "--file-filter=Qor Preset | *.qor\n");
}

TEST(SaveDialog, KdialogIsTheFallback)
{
    FakeTools tools;
    tools.add("kdialog", "echo /tmp/a.qor");
    ScopedEnv path("PATH", tools.path());
    ScopedEnv display("DISPLAY", std::nullopt);
    ScopedEnv wayland("WAYLAND_DISPLAY", "wayland-0");
    const Dialog d = runDialog();
    ASSERT_TRUE(d.chosen);
    EXPECT_EQ(d.path, "/tmp/a.qor");
    EXPECT_EQ(tools.args("kdialog"), "--title\nSave preset\n--getsavefilename\n"
                                     "/home/u/presets/My Kick.qor\n*.qor|Qor Preset\n");
}

TEST(SaveDialog, CancelNoToolOrNoDesktopCountAsCancelled)
{
    FakeTools tools;
    tools.add("zenity", "exit 1");
    {
        ScopedEnv path("PATH", tools.path());
        ScopedEnv display("DISPLAY", ":97");
        EXPECT_FALSE(runDialog().chosen);
    }
    {
        FakeTools two;
        two.add("zenity", "printf '/a.qor\\n/b.qor\\n'");
        ScopedEnv path("PATH", two.path());
        ScopedEnv display("DISPLAY", ":97");
        EXPECT_FALSE(runDialog().chosen); // more than one path
    }
    ScopedEnv path("PATH", tools.path());
    ScopedEnv display("DISPLAY", std::nullopt);
    ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
    testing::internal::CaptureStderr();
    const Dialog d = runDialog();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no save dialog"), std::string::npos);
    EXPECT_FALSE(d.chosen);
    EXPECT_EQ(d.path, "");
}

TEST(SaveDialog, ReturnsBeforeTheUserAnswersAndThePollDeliversThePath)
{
    FakeTools tools;
    tools.addGated("zenity", "echo /home/u/presets/Late.qor");
    ScopedEnv path("PATH", tools.path());
    ScopedEnv display("DISPLAY", ":97");
    Dialog d;
    QorSaveDialog::start(kRequest, nullptr, d.done());
    EXPECT_FALSE(tools.passedGate("zenity"));
    for (int i = 0; i < 5; ++i)
        QorProcessRunner::poll();
    EXPECT_FALSE(d.answered);
    EXPECT_EQ(QorProcessRunner::pending(), 1u);
    tools.release("zenity");
    ASSERT_TRUE(qortest::pollUntil([&] { return d.answered; }));
    EXPECT_TRUE(tools.passedGate("zenity"));
    EXPECT_TRUE(d.chosen);
    EXPECT_EQ(d.path, "/home/u/presets/Late.qor");
    EXPECT_EQ(QorProcessRunner::pending(), 0u);
}

TEST(SaveDialog, AnAbandonedDialogIsClosedReapedAndNeverAnswers)
{
    FakeTools tools;
    tools.addGated("zenity", "echo /x.qor");
    ScopedEnv path("PATH", tools.path());
    ScopedEnv display("DISPLAY", ":97");
    const int owner = 0;
    Dialog d;
    QorSaveDialog::start(kRequest, &owner, d.done());
    EXPECT_EQ(QorProcessRunner::pending(&owner), 1u);
    QorProcessRunner::abandon(&owner);
    EXPECT_EQ(QorProcessRunner::pending(&owner), 0u);
    ASSERT_TRUE(qortest::pollUntilReaped());
    EXPECT_FALSE(d.answered);
    // Killed, not let run to its end: it never got to its marker.
    EXPECT_FALSE(tools.passedGate("zenity"));
}

TEST(ProcessRunner, AHostThatReapsItsOwnChildrenStillGetsTheAnswers)
{
    FakeTools tools;
    tools.add("zenity", "echo /home/u/presets/Reaped.qor");
    tools.add("xdg-open", "exit 0");
    ScopedEnv path("PATH", tools.path());
    ScopedEnv display("DISPLAY", ":97");
    struct IgnoredChildSignal
    {
        struct sigaction old{};
        IgnoredChildSignal()
        {
            struct sigaction ignore{};
            ignore.sa_handler = SIG_IGN;
            sigaction(SIGCHLD, &ignore, &old);
        }
        ~IgnoredChildSignal() { sigaction(SIGCHLD, &old, nullptr); }
    } ignored;
    const Dialog d = runDialog();
    EXPECT_TRUE(d.chosen);
    EXPECT_EQ(d.path, "/home/u/presets/Reaped.qor");
    EXPECT_EQ(openAndWait("/home/u"), true);
}

TEST(ProcessRunner, LongOutputIsReadWhileTheChildRuns)
{
    // More than a pipe holds: a child whose output were only read at its end would never end.
    FakeTools tools;
    tools.add("talker", "i=0; while [ $i -lt 3000 ]; do echo 'line of the chatty tool, sixty characters or so, i'; i=$((i+1)); done");
    ScopedEnv path("PATH", tools.path());
    QorProcessRunner::Result result;
    bool done = false;
    QorProcessRunner::start({"talker"}, true, nullptr, QorProcessRunner::WhenAbandoned::kKill,
                            [&](const QorProcessRunner::Result& r) {
                                result = r;
                                done = true;
                            });
    ASSERT_TRUE(qortest::pollUntil([&] { return done; }));
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output.size(), 3000u * 51u); // 50 characters and a newline per line
}

TEST(ProcessRunner, ACallbackThatAbandonsAnotherOwnerStopsItsAnswer)
{
    FakeTools tools;
    tools.add("quick", "exit 0");
    ScopedEnv path("PATH", tools.path());
    const int first = 0;
    const int second = 0;
    int secondCalls = 0;
    int firstCalls = 0;
    QorProcessRunner::start({"quick"}, false, &first, QorProcessRunner::WhenAbandoned::kLetRun,
                            [&](const QorProcessRunner::Result&) {
                                ++firstCalls;
                                QorProcessRunner::abandon(&second); // as an editor closing would
                            });
    QorProcessRunner::start({"quick"}, false, &second, QorProcessRunner::WhenAbandoned::kLetRun,
                            [&](const QorProcessRunner::Result&) { ++secondCalls; });
    // Both have ended before either answer is delivered.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(qortest::pollUntilReaped());
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(secondCalls, 0);
}

TEST(MessageBox, UsesZenityWithoutMarkupOrFallsBackToStderr)
{
    FakeTools tools;
    tools.add("zenity", "exit 0");
    ScopedEnv path("PATH", tools.path());
    {
        ScopedEnv display("DISPLAY", ":97");
        QorMessageBox::show("Could not open <b>folder</b>", "/home/u/x");
        ASSERT_TRUE(qortest::pollUntilReaped());
        EXPECT_EQ(tools.args("zenity"),
                  "--error\n--no-markup\n--title=/home/u/x\n--text=Could not open <b>folder</b>\n");
    }
    ScopedEnv display("DISPLAY", std::nullopt);
    ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
    testing::internal::CaptureStderr();
    QorMessageBox::show("Could not open user's preset folder", "/home/u/p");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "/home/u/p: Could not open user's preset folder\n");
}

TEST(MessageBox, DoesNotWaitForTheUserToCloseIt)
{
    FakeTools tools;
    tools.addGated("zenity", "exit 0");
    ScopedEnv path("PATH", tools.path());
    ScopedEnv display("DISPLAY", ":97");
    QorMessageBox::show("Could not open user's preset folder", "/home/u/p");
    EXPECT_FALSE(tools.passedGate("zenity"));
    EXPECT_EQ(QorProcessRunner::pending(), 1u);
    tools.release("zenity");
    ASSERT_TRUE(qortest::pollUntilReaped());
    EXPECT_TRUE(tools.passedGate("zenity"));
}

TEST(ModuleFolder, IsTheFolderOfTheProgramOrLibraryThatHoldsTheCode)
{
    // This test is linked into its program, so the program's folder is the answer.
    const std::string here = QorModuleFolder::of(reinterpret_cast<const void*>(&runDialog));
    EXPECT_EQ(here, std::filesystem::canonical("/proc/self/exe").parent_path().string());
    int onTheStack = 0;
    EXPECT_EQ(QorModuleFolder::of(&onTheStack), "") << "no module holds the stack";
}

TEST(Tick, RealClockAdvancesInMillisecondsAndSourceReplacesIt)
{
    const uint32_t a = QorTick::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint32_t elapsed = QorTick::now() - a;
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 5000u);
    QorTick::setSource([] { return 0xFFFFFFF0u; });
    EXPECT_EQ(QorTick::now(), 0xFFFFFFF0u);
    QorTick::setSource({});
    EXPECT_NE(QorTick::now(), 0xFFFFFFF0u);
}
} // namespace

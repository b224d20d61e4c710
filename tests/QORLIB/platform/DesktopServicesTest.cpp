// The real shell, dialog and message box implementations, run against stand-in tools on PATH.
#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "QORLIB/platform/QorShell.h"
#include "QORLIB/platform/QorTick.h"
#include "tests/QORLIB/platform/FakeTool.h"
#include "tests/QORLIB/platform/ScopedEnv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using qortest::FakeTools;
using qortest::ScopedEnv;

namespace
{
const QorSaveDialog::Request kRequest{"Save preset", "/home/u/presets", "My Kick.qor", "Qor Preset",
                                      "qor"};

TEST(Shell, PassesTheTargetAsOneArgumentWithoutAShell)
{
    FakeTools tools;
    tools.add("xdg-open", "exit 0");
    ScopedEnv path("PATH", tools.path());
    EXPECT_TRUE(QorShell::open("/home/u/User Presets/$(touch x); y"));
    EXPECT_EQ(tools.args("xdg-open"), "/home/u/User Presets/$(touch x); y\n");
    EXPECT_TRUE(QorShell::open("-rf"));
    EXPECT_EQ(tools.args("xdg-open"), "./-rf\n");
}

TEST(Shell, ReportsAFailingOrMissingOpener)
{
    FakeTools tools;
    tools.add("xdg-open", "exit 2");
    {
        ScopedEnv path("PATH", tools.path());
        EXPECT_FALSE(QorShell::open("/nowhere"));
    }
    qortest::TempDir empty;
    ScopedEnv path("PATH", empty.path().string());
    EXPECT_FALSE(QorShell::open("/nowhere"));
    EXPECT_FALSE(QorShell::open(""));
}

TEST(SaveDialog, ZenityGetsTitleFolderNameAndFilterAndItsPathIsTaken)
{
    FakeTools tools;
    tools.add("zenity", "echo '/home/u/presets/Snare.qor'");
    ScopedEnv path("PATH", tools.path());
    ScopedEnv display("DISPLAY", ":97");
    std::string chosen;
    ASSERT_TRUE(QorSaveDialog::run(kRequest, chosen));
    EXPECT_EQ(chosen, "/home/u/presets/Snare.qor");
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
    std::string chosen;
    ASSERT_TRUE(QorSaveDialog::run(kRequest, chosen));
    EXPECT_EQ(chosen, "/tmp/a.qor");
    EXPECT_EQ(tools.args("kdialog"), "--title\nSave preset\n--getsavefilename\n"
                                     "/home/u/presets/My Kick.qor\n*.qor|Qor Preset\n");
}

TEST(SaveDialog, CancelNoToolOrNoDesktopCountAsCancelled)
{
    FakeTools tools;
    tools.add("zenity", "exit 1");
    std::string chosen = "unchanged";
    {
        ScopedEnv path("PATH", tools.path());
        ScopedEnv display("DISPLAY", ":97");
        EXPECT_FALSE(QorSaveDialog::run(kRequest, chosen));
    }
    {
        FakeTools two;
        two.add("zenity", "printf '/a.qor\\n/b.qor\\n'");
        ScopedEnv path("PATH", two.path());
        ScopedEnv display("DISPLAY", ":97");
        EXPECT_FALSE(QorSaveDialog::run(kRequest, chosen)); // more than one path
    }
    ScopedEnv path("PATH", tools.path());
    ScopedEnv display("DISPLAY", std::nullopt);
    ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(QorSaveDialog::run(kRequest, chosen));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no save dialog"), std::string::npos);
    EXPECT_EQ(chosen, "unchanged");
}

TEST(MessageBox, UsesZenityWithoutMarkupOrFallsBackToStderr)
{
    FakeTools tools;
    tools.add("zenity", "exit 0");
    ScopedEnv path("PATH", tools.path());
    {
        ScopedEnv display("DISPLAY", ":97");
        QorMessageBox::show("Could not open <b>folder</b>", "/home/u/x");
        EXPECT_EQ(tools.args("zenity"),
                  "--error\n--no-markup\n--title=/home/u/x\n--text=Could not open <b>folder</b>\n");
    }
    ScopedEnv display("DISPLAY", std::nullopt);
    ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
    testing::internal::CaptureStderr();
    QorMessageBox::show("Could not open user's preset folder", "/home/u/p");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "/home/u/p: Could not open user's preset folder\n");
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

// The name field in a real X11 window under a private Xvfb, typed into with xdotool as a person
// would: text beyond Latin-1 arrives whole, Ctrl+A and Return work, a save over an existing
// preset asks, and a right click renames.
#include "QORLIB/gui/presetbar/PresetBarSaveField.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "tests/QORLIB/gui/presetbar/StripHarness.h"
#include "tests/QORLIB/gui/toolkit/XdotoolInWindow.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <unistd.h>

using qortest::xdotoolInWindow;

TEST(NameFieldWindow, TextBeyondLatin1TypedWithXdotoolArrivesWholeAndIsSaved)
{
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    if (!QorProcessRunner::onPath("xdotool"))
        GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
    if (QorSaveDialog::available())
        GTEST_SKIP() << "a desktop save dialog is installed here";
    StripEngine engine;
    std::string error;
    ASSERT_TRUE(engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kX11Window, 0, &error)) << error;
    engine.setZoom(1.0);
    auto* window = static_cast<qortk::X11Window*>(engine.getFrame()->platform());
    ASSERT_TRUE(window->waitUntilShown(5000));
    const std::string id = std::to_string(window->windowId());
    ASSERT_TRUE(xdotoolInWindow(*window, {"windowfocus", "--sync", id}));

    ASSERT_TRUE(xdotoolInWindow(*window, {"mousemove", "--sync", "--window", id, "30", "39", "click", "1"})); // Save
    ASSERT_NE(engine.saveField(), nullptr);
    // xdotool types a capital it must bind to a spare key as a small letter (the server makes the
    // spare key alphabetic), so the Ü comes as Shift with the key, as on a German keyboard.
    ASSERT_TRUE(xdotoolInWindow(*window, {"key", "ctrl+a"}));
    ASSERT_TRUE(xdotoolInWindow(*window, {"key", "--delay", "150", "shift+Udiaeresis"}));
    ASSERT_TRUE(xdotoolInWindow(*window, {"type", "--delay", "80", "berfett \xce\xa9mega \xe6\x97\xa5\xe6\x9c\xac"}));
    const std::string typed = "\xc3\x9c" "berfett \xce\xa9mega \xe6\x97\xa5\xe6\x9c\xac";
    ASSERT_NE(engine.saveField(), nullptr);
    EXPECT_EQ(engine.saveField()->editText(), typed);
    ASSERT_TRUE(xdotoolInWindow(*window, {"key", "Return"}));
    EXPECT_EQ(engine.saveField(), nullptr);
    const std::filesystem::path file = std::filesystem::path(engine.presets.userFolder()) / (typed + ".qor");
    ASSERT_TRUE(std::filesystem::is_regular_file(file));
    // 23 bytes: the whole name fits the record.
    const std::string bytes = qortest::readText(file);
    ASSERT_GE(bytes.size(), 77u);
    EXPECT_EQ(std::string(bytes.data() + 53, strnlen(bytes.data() + 53, 24)), typed);
    EXPECT_EQ(engine.nameControl()->name(), typed);

    // Saving again under that name asks; Escape goes back to the name, and out. (The pointer
    // must move for --sync to return.)
    ASSERT_TRUE(xdotoolInWindow(*window, {"mousemove", "--sync", "--window", id, "34", "41", "click", "1"}));
    ASSERT_NE(engine.saveField(), nullptr);
    ASSERT_TRUE(xdotoolInWindow(*window, {"key", "Return"}));
    ASSERT_NE(engine.saveField(), nullptr);
    EXPECT_EQ(engine.saveField()->state(), PresetBarSaveField::State::Confirming);
    ASSERT_TRUE(xdotoolInWindow(*window, {"key", "Escape"}));
    ASSERT_NE(engine.saveField(), nullptr);
    EXPECT_EQ(engine.saveField()->state(), PresetBarSaveField::State::Editing);
    ASSERT_TRUE(xdotoolInWindow(*window, {"key", "Escape"}));
    EXPECT_EQ(engine.saveField(), nullptr);

    // A right click on the name renames; Home, Delete and End edit inside it.
    ASSERT_TRUE(xdotoolInWindow(*window, {"mousemove", "--sync", "--window", id, "200", "13", "click", "3"}));
    ASSERT_NE(engine.saveField(), nullptr);
    EXPECT_EQ(engine.saveField()->mode(), PresetBarSaveField::Mode::Rename);
    ASSERT_TRUE(xdotoolInWindow(*window, {"key", "Home", "Delete", "End", "BackSpace", "BackSpace"}));
    ASSERT_TRUE(xdotoolInWindow(*window, {"type", "X"}));
    ASSERT_TRUE(xdotoolInWindow(*window, {"key", "Return"}));
    EXPECT_EQ(engine.saveField(), nullptr);
    EXPECT_EQ(engine.nameControl()->name(), "berfett \xce\xa9mega X *");
    engine.close();
}

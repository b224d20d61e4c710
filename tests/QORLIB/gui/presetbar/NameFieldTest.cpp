// The name field of the preset bar, offscreen: saving asks before replacing, refuses names that
// break files, shows a cut; the saved preset becomes the current one; a right press renames;
// the preset menu's bottom line says why a preset could not be loaded.
#include "QORLIB/gui/presetbar/PresetBarPresetMenu.h"
#include "QORLIB/gui/presetbar/PresetBarSaveField.h"
#include "QORLIB/gui/presetbar/QorPresetMenuBottomTextInfo.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "tests/QORLIB/gui/presetbar/StripHarness.h"
#include "tests/support/FileText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using qortk::KeyEvent;

namespace
{
struct FieldHarness : StripHarness
{
    FieldHarness()
    {
        previous = QorSaveDialog::setHandler({});
        // The field only shows where no desktop dialog exists; here there is never one.
        noDialog = !QorSaveDialog::available();
    }
    ~FieldHarness() { QorSaveDialog::setHandler(previous); }
    PresetBarSaveField* field() { return engine.saveField(); }
    void key(KeyEvent::Virtual v, uint32_t modifiers = 0) { frame().keyDown(KeyEvent{v, {}, modifiers}); }
    void type(const std::string& text) { frame().keyDown(KeyEvent{KeyEvent::kNone, text, 0}); }
    void replaceText(const std::string& text)
    {
        frame().keyDown(KeyEvent{KeyEvent::kNone, "a", qortk::kControl});
        type(text);
    }
    void clickAt(const qortk::Rect& r) { click((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    fs::path file(const std::string& name) { return fs::path(presets().userFolder()) / (name + ".qor"); }
    QorSaveDialog::Handler previous;
    bool noDialog = true;
};

void writeBytes(const fs::path& path, const std::string& bytes)
{
    qortest::writeText(path, bytes);
}
} // namespace

TEST(NameField, SavingOverAPresetAsksFirstByKeyboardAndByMouse)
{
    FieldHarness h;
    if (!h.noDialog)
        GTEST_SKIP() << "a desktop save dialog is installed here";
    writeBytes(h.file("Default"), "old");
    h.click(30, 39); // Save
    ASSERT_NE(h.field(), nullptr);
    EXPECT_EQ(h.field()->editText(), "Default");
    h.key(KeyEvent::kReturn);
    ASSERT_NE(h.field(), nullptr) << "an existing preset is not replaced silently";
    EXPECT_EQ(h.field()->state(), PresetBarSaveField::State::Confirming);
    EXPECT_EQ(h.field()->message(), "Return = replace, Esc = back");
    EXPECT_EQ(qortest::readText(h.file("Default")), "old");
    // Escape goes back to the name, not out.
    h.key(KeyEvent::kEscape);
    ASSERT_NE(h.field(), nullptr);
    EXPECT_EQ(h.field()->state(), PresetBarSaveField::State::Editing);
    EXPECT_EQ(qortest::readText(h.file("Default")), "old");
    // Typing answers the question too: a different name is being made.
    h.key(KeyEvent::kReturn);
    h.type("2");
    EXPECT_EQ(h.field()->state(), PresetBarSaveField::State::Editing);
    h.key(KeyEvent::kBackspace);
    h.key(KeyEvent::kReturn);
    h.key(KeyEvent::kReturn);
    EXPECT_EQ(h.field(), nullptr);
    EXPECT_EQ(fs::file_size(h.file("Default")), 433u);

    // The same with the mouse: Save, then the "Replace" button; "Back" in between.
    writeBytes(h.file("Default"), "old");
    h.click(30, 39);
    ASSERT_NE(h.field(), nullptr);
    h.clickAt(h.field()->acceptButton());
    ASSERT_EQ(h.field()->state(), PresetBarSaveField::State::Confirming);
    h.clickAt(h.field()->backButton());
    ASSERT_EQ(h.field()->state(), PresetBarSaveField::State::Editing);
    EXPECT_EQ(qortest::readText(h.file("Default")), "old");
    h.clickAt(h.field()->acceptButton());
    h.clickAt(h.field()->acceptButton());
    EXPECT_EQ(h.field(), nullptr);
    EXPECT_EQ(fs::file_size(h.file("Default")), 433u);
}

TEST(NameField, AfterASaveTheBarShowsTheSavedPresetUnmodified)
{
    FieldHarness h;
    if (!h.noDialog)
        GTEST_SKIP() << "a desktop save dialog is installed here";
    writeBytes(h.file("Bass"), "");
    h.presets().selectPreset(1);
    h.engine.sendParameter(4, 0.9); // a knob turned
    h.engine.refreshName();
    ASSERT_EQ(h.name(), "01: CompressLite1 *");
    h.click(30, 39);
    ASSERT_NE(h.field(), nullptr);
    EXPECT_EQ(h.field()->editText(), "CompressLite1");
    h.key(KeyEvent::kBackspace);
    h.key(KeyEvent::kReturn);
    EXPECT_EQ(h.field(), nullptr);
    // "All" of the user presets: Bass, CompressLite.
    EXPECT_EQ(h.name(), "01: CompressLite");
    EXPECT_FALSE(h.engine.nameControl()->isModified());
    EXPECT_EQ(h.presets().entryName(kQorUserDirectory, 0, 1), "CompressLite");
}

TEST(NameField, NamesThatBreakFilesAreRefusedWithAWordAndLongOnesShownCut)
{
    FieldHarness h;
    if (!h.noDialog)
        GTEST_SKIP() << "a desktop save dialog is installed here";
    const auto files = [&] {
        return std::distance(fs::directory_iterator(h.presets().userFolder()), fs::directory_iterator{});
    };
    const auto before = files();
    h.click(30, 39);
    ASSERT_NE(h.field(), nullptr);
    const struct
    {
        const char* typed;
        const char* message;
    } refused[] = {
        {"   ", "Type a name first"},
        {".hidden", "A name cannot start with a dot"},
        {"Kick: big", "A name cannot contain \xe2\x80\x9c:\xe2\x80\x9d"},
        {"AC\\DC", "A name cannot contain \xe2\x80\x9c\\\xe2\x80\x9d"},
        {"Yes?", "A name cannot contain \xe2\x80\x9c?\xe2\x80\x9d"},
        {"a|b", "A name cannot contain \xe2\x80\x9c|\xe2\x80\x9d"},
        {"x/y", "A name cannot contain \xe2\x80\x9c/\xe2\x80\x9d"},
    };
    for (const auto& r : refused)
    {
        h.replaceText(r.typed);
        h.key(KeyEvent::kReturn);
        ASSERT_NE(h.field(), nullptr) << r.typed;
        EXPECT_EQ(h.field()->message(), r.message);
        EXPECT_TRUE(h.field()->messageIsProblem());
    }
    EXPECT_EQ(files(), before);
    // Typing again takes the complaint away.
    h.type("z");
    EXPECT_FALSE(h.field()->messageIsProblem());

    h.replaceText("A very long preset name for drums");
    h.key(KeyEvent::kReturn);
    ASSERT_NE(h.field(), nullptr) << "a cut is shown before it is used";
    EXPECT_EQ(h.field()->editText(), "A very long preset name");
    EXPECT_EQ(h.field()->message(), "Shortened to fit; Return = save");
    h.key(KeyEvent::kReturn);
    EXPECT_EQ(h.field(), nullptr);
    EXPECT_TRUE(fs::is_regular_file(h.file("A very long preset name")));
    EXPECT_EQ(h.name(), "00: A very long preset name");
}

TEST(NameField, ARightPressOnTheNameRenamesTheSetup)
{
    FieldHarness h;
    h.click(200, 13, qortk::kRButton);
    ASSERT_NE(h.field(), nullptr);
    EXPECT_EQ(h.field()->mode(), PresetBarSaveField::Mode::Rename);
    EXPECT_FALSE(h.engine.isPresetMenuShown());
    EXPECT_EQ(h.field()->editText(), "Default");
    h.replaceText("Fat:Drums");
    h.key(KeyEvent::kReturn);
    ASSERT_NE(h.field(), nullptr);
    EXPECT_EQ(h.field()->message(), "A name cannot contain \xe2\x80\x9c:\xe2\x80\x9d");
    h.replaceText("Fat Drums");
    h.key(KeyEvent::kReturn);
    EXPECT_EQ(h.field(), nullptr);
    EXPECT_EQ(h.name(), "00: Fat Drums *");
    EXPECT_TRUE(h.engine.nameControl()->isModified());
    // Escape leaves the name as it was.
    h.click(200, 13, qortk::kRButton);
    h.replaceText("Other");
    h.key(KeyEvent::kEscape);
    EXPECT_EQ(h.field(), nullptr);
    EXPECT_EQ(h.name(), "00: Fat Drums *");
    // The next save offers the new name.
    if (h.noDialog)
    {
        h.click(30, 39);
        ASSERT_NE(h.field(), nullptr);
        EXPECT_EQ(h.field()->editText(), "Fat Drums");
        h.key(KeyEvent::kEscape);
    }
}

TEST(NameField, TheMenusBottomLineSaysWhyAPresetDidNotLoad)
{
    FieldHarness h;
    writeBytes(h.file("Broken"), "");
    writeBytes(h.file("Good"), "");
    QorPresetManager& m = h.presets();
    m.setKind(kQorUserDirectory);
    m.rescanUserPresets();
    const uint32_t head = m.undoRing().head();
    // Other tests of this process may have left presets in the folder.
    int32_t broken = -1, good = -1;
    for (uint32_t i = 0; i < m.entryCount(kQorUserDirectory, 0); ++i)
    {
        const std::string name = m.entryName(kQorUserDirectory, 0, int32_t(i));
        if (name == "Broken")
            broken = int32_t(i);
        if (name == "Good")
            good = int32_t(i);
    }
    ASSERT_GE(broken, 0);
    m.selectPreset(broken);
    h.engine.presetMenu()->sync();
    const QorPresetMenuBottomTextInfo* line = h.engine.presetMenu()->bottomLine();
    EXPECT_TRUE(line->showsProblem());
    EXPECT_EQ(line->title(), "Could not load \xe2\x80\x9c" "Broken\xe2\x80\x9d: the file is empty");
    EXPECT_EQ(line->detail(), h.file("Broken").string());
    EXPECT_EQ(m.undoRing().head(), head);
    h.engine.refreshName();
    EXPECT_EQ(h.name(), m.displayText().number + "error loading preset");
    // Another preset shown in the list: the usual title.
    h.engine.presetMenu()->bottomLine()->setSelection(kQorUserDirectory, 0, good);
    EXPECT_FALSE(line->showsProblem());
    EXPECT_EQ(line->title(), QorPresetMenuBottomTextInfo::kUserTitle);
}

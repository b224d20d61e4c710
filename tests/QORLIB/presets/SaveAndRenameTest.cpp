// Saving makes the saved file the current preset; names typed by users are checked and cut
// whole characters at a time; a preset that cannot be loaded says why and costs no undo step.
#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "QORLIB/presets/QorPresetName.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"
#include "tests/QORLIB/presets/RecordingHost.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <gtest/gtest.h>

using namespace qortest;
namespace fs = std::filesystem;

namespace
{
const float kValues[7] = {0.5f, 0.25f, 0.5f, 0.75f, 0.125f, 0.3f, 0.5f};

struct SaveTest : testing::Test
{
    UserHome home;
    RecordingHost host;
    std::unique_ptr<QorPresetManager> manager;

    SaveTest()
    {
        QorMessageBox::setHandler([](const std::string&, const std::string&) {});
    }
    ~SaveTest() override { QorMessageBox::setHandler({}); }
    void create()
    {
        manager = std::make_unique<QorPresetManager>(&host, vellaCorFactoryPresets::presetProduct());
        host.manager = manager.get();
    }
    // The name field of a one-program file: 24 bytes at 41 + 12.
    static std::string innerName(const fs::path& file)
    {
        const std::vector<uint8_t> bytes = readFile(file);
        if (bytes.size() < 77)
            return "<short>";
        return std::string(reinterpret_cast<const char*>(bytes.data()) + 53, strnlen(reinterpret_cast<const char*>(bytes.data()) + 53, 24));
    }
};

TEST_F(SaveTest, TheSavedFileBecomesTheCurrentPresetInItsPlaceUnderItsName)
{
    writeFile(home.presetFolder() / "Bass.qor", onePreset("Bass", kValues));
    writeFile(home.presetFolder() / "Drums" / "Snare.qor", onePreset("Snare", kValues));
    create();
    manager->selectPreset(1); // "CompressLite1"
    manager->parameterChanged(4, 0.9);
    ASSERT_EQ(manager->displayText().number + manager->displayText().name, "01: CompressLite1 *");

    ASSERT_TRUE(manager->savePresetAs((home.presetFolder() / "CompressLite").string()));
    // "All" sorted by name: Bass, CompressLite, Snare.
    EXPECT_EQ(manager->displayText().number + manager->displayText().name, "01: CompressLite");
    EXPECT_EQ(manager->kind(), kQorUserDirectory);
    EXPECT_EQ(manager->column(), 0u);
    EXPECT_FALSE(manager->modified());
    EXPECT_EQ(innerName(home.presetFolder() / "CompressLite.qor"), "CompressLite");
    EXPECT_FLOAT_EQ(manager->reference().values[4], 0.9f);
    // The arrows now step through the user presets from there.
    manager->nextPreset();
    EXPECT_STREQ(manager->current().name, "Snare");

    // Saved into a sub-folder: that folder's column.
    manager->selectPreset(0);
    ASSERT_TRUE(manager->savePresetAs((home.presetFolder() / "Drums" / "Kick.qor").string()));
    std::string column;
    manager->columnName(kQorUserDirectory, manager->column(), column);
    EXPECT_EQ(column, "Drums");
    EXPECT_EQ(manager->entryName(kQorUserDirectory, manager->column(), manager->index()), "Kick");

    // Saved outside the folder tree: named after the file, its place unchanged.
    const int32_t index = manager->index();
    ASSERT_TRUE(manager->savePresetAs((home.path() / "Elsewhere").string()));
    EXPECT_STREQ(manager->current().name, "Elsewhere");
    EXPECT_EQ(manager->index(), index);
}

TEST_F(SaveTest, TheInnerNameIsTheFileNameCutToWholeCharactersWithin23Bytes)
{
    create();
    // 22 ASCII bytes and a two-byte Omega: the Omega does not fit and goes whole.
    const std::string name22 = "Twenty-two characters_";
    ASSERT_TRUE(manager->savePresetAs((home.presetFolder() / (name22 + "\xce\xa9" "x")).string()));
    EXPECT_EQ(innerName(home.presetFolder() / (name22 + "\xce\xa9" "x.qor")), name22);
    EXPECT_STREQ(manager->current().name, name22.c_str());
    // 23 bytes exactly stay whole, also with multi-byte characters.
    const std::string exact = "\xc3\x9c" "berfett \xce\xa9mega \xe6\x97\xa5\xe6\x9c\xac";
    ASSERT_EQ(exact.size(), 23u);
    ASSERT_TRUE(manager->savePresetAs((home.presetFolder() / exact).string()));
    EXPECT_EQ(innerName(home.presetFolder() / (exact + ".qor")), exact);
}

TEST(PresetRecordName, ACutNeverLeavesHalfACharacter)
{
    QorPresetRecord r;
    r.setName("abcdefghijklmnopqrstuv\xce\xa9"); // 22 + 2 bytes
    EXPECT_STREQ(r.name, "abcdefghijklmnopqrstuv");
    r.setName("abcdefghijklmnopqrstu\xe6\x97\xa5"); // 21 + 3 bytes
    EXPECT_STREQ(r.name, "abcdefghijklmnopqrstu");
    r.setName("abcdefghijklmnopqrstuvw\xce\xa9"); // the 24th byte starts a character: cut at 23
    EXPECT_STREQ(r.name, "abcdefghijklmnopqrstuvw");
    r.setName("abcdefghijklmnopqrstuvwxyz");
    EXPECT_STREQ(r.name, "abcdefghijklmnopqrstuvw");
}

TEST(PresetName, RefusesNamesThatBreakOnOtherSystems)
{
    using P = QorPresetName::Problem;
    struct Case
    {
        const char* typed;
        P problem;
    } cases[] = {
        {"", P::Empty},         {"    ", P::Empty},      {" .qor", P::Empty},     {".hidden", P::LeadingDot},
        {"a:b", P::Forbidden},  {"a*", P::Forbidden},    {"why?", P::Forbidden},  {"<x", P::Forbidden},
        {"x>", P::Forbidden},   {"a|b", P::Forbidden},   {"say \"hi\"", P::Forbidden}, {"a\\b", P::Forbidden},
        {"a/b", P::Forbidden},  {"tab\there", P::Forbidden}, {"con", P::Reserved}, {"LPT1.txt", P::Reserved},
        {"name.", P::TrailingDot}, {"\xff", P::NotUtf8}, {"\xc3", P::NotUtf8},
        {"COM10", P::None},     {"Console", P::None},    {"  Kick  ", P::None},   {"Kick.qor.qor", P::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QorPresetName::check(c.typed).problem, c.problem) << c.typed;
    EXPECT_EQ(QorPresetName::check("  Kick  ").name, "Kick");
    EXPECT_EQ(QorPresetName::check("Kick.qor.qor").name, "Kick");
    EXPECT_EQ(QorPresetName::check("a:b").offending, ":");
    EXPECT_EQ(QorPresetName::problemText(QorPresetName::check("a:b")), "A name cannot contain \xe2\x80\x9c:\xe2\x80\x9d");
    EXPECT_EQ(QorPresetName::check(" ").problem, P::Empty);
}

TEST(PresetName, LongNamesAreCutAndSaySo)
{
    QorPresetName::Checked c = QorPresetName::check("A very long preset name for drums");
    EXPECT_EQ(c.problem, QorPresetName::Problem::None);
    EXPECT_TRUE(c.cut);
    EXPECT_EQ(c.name, "A very long preset name");
    // A cut that ends on a blank drops it.
    c = QorPresetName::check("Twenty-two characters \xe6\x97\xa5");
    EXPECT_TRUE(c.cut);
    EXPECT_EQ(c.name, "Twenty-two characters");
    c = QorPresetName::check("\xc3\x9c" "berfett \xce\xa9mega \xe6\x97\xa5\xe6\x9c\xac");
    EXPECT_FALSE(c.cut);
    EXPECT_EQ(c.name.size(), 23u);
}

TEST_F(SaveTest, DamagedFilesSayWhyAndCostNoUndoStep)
{
    writeFile(home.presetFolder() / "A Good.qor", onePreset("good", kValues));
    writeFile(home.presetFolder() / "B Empty.qor", {});
    writeFile(home.presetFolder() / "C Huge.qor", std::vector<uint8_t>(70000, 0));
    writeFile(home.presetFolder() / "D Junk.qor", std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'w'});
    create();
    manager->setKind(kQorUserDirectory);
    manager->rescanUserPresets();
    manager->selectPreset(0);
    ASSERT_TRUE(manager->loadError().empty());
    const uint32_t head = manager->undoRing().head();
    const QorPresetRecord good = manager->current();
    host.calls.clear();

    const char* reasons[] = {"Could not load \xe2\x80\x9c" "B Empty\xe2\x80\x9d: the file is empty",
                             "Could not load \xe2\x80\x9c" "C Huge\xe2\x80\x9d: the file is too large to be a preset",
                             "Could not load \xe2\x80\x9c" "D Junk\xe2\x80\x9d: the file is damaged or no preset"};
    for (int i = 1; i <= 3; ++i)
    {
        manager->selectPreset(i);
        EXPECT_EQ(manager->loadError(), reasons[i - 1]);
        EXPECT_STREQ(manager->current().name, "error loading preset");
        EXPECT_TRUE(manager->current().sameValues(good));
        EXPECT_EQ(manager->index(), i);
    }
    EXPECT_EQ(manager->undoRing().head(), head) << "no step for loads that changed nothing";
    EXPECT_TRUE(host.calls.empty()) << "nothing applied";
    // One undo goes back past all three to before the good load.
    manager->undo();
    EXPECT_FALSE(manager->canUndo());

    // A file removed after the scan.
    manager->selectPreset(0);
    fs::remove(home.presetFolder() / "A Good.qor");
    manager->selectPreset(0);
    EXPECT_EQ(manager->loadError(), "Could not load \xe2\x80\x9c" "A Good\xe2\x80\x9d: the file is gone");
    // A good load clears the reason.
    manager->setKind(kQorCategoryDirectory);
    manager->selectPreset(2);
    EXPECT_TRUE(manager->loadError().empty());
}

TEST_F(SaveTest, ARenameMarksTheSetupModifiedUntilItIsSaved)
{
    create();
    manager->selectPreset(1);
    manager->renameCurrent("Fat Drums");
    EXPECT_EQ(manager->displayText().name, "Fat Drums *");
    EXPECT_TRUE(manager->modified());
    // An edit there and back does not lose the mark: the name still differs.
    manager->parameterChanged(4, 0.9);
    manager->parameterChanged(4, manager->reference().values[4]);
    EXPECT_TRUE(manager->modified());
    // Renamed back: clean again.
    manager->renameCurrent("CompressLite1");
    EXPECT_FALSE(manager->modified());
    manager->renameCurrent("Fat Drums");
    ASSERT_TRUE(manager->savePresetAs((home.presetFolder() / manager->current().name).string()));
    EXPECT_EQ(manager->displayText().number + manager->displayText().name, "00: Fat Drums");
    EXPECT_EQ(innerName(home.presetFolder() / "Fat Drums.qor"), "Fat Drums");
}
} // namespace

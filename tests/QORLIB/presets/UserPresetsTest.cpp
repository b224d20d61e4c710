#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "QORLIB/platform/QorShell.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "QORLIB/presets/QorUserPresetFolder.h"
#include "tests/QORLIB/platform/ChildWait.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"
#include "tests/QORLIB/presets/RecordingHost.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace qortest;
namespace fs = std::filesystem;

namespace
{
const float kValues[7] = {0.5f, 0.25f, 0.5f, 0.75f, 0.125f, 0.3f, 0.5f};

struct Messages
{
    Messages()
    {
        QorMessageBox::setHandler([this](const std::string& t, const std::string& c) {
            shown.push_back(c + ": " + t);
        });
    }
    ~Messages() { QorMessageBox::setHandler({}); }
    std::vector<std::string> shown;
};

// Files are placed before the manager is created, so its first scan finds them.
struct UserPresetTest : testing::Test
{
    UserHome home;
    Messages messages;
    RecordingHost host;
    std::unique_ptr<QorPresetManager> manager;

    void create()
    {
        manager = std::make_unique<QorPresetManager>(&host, vellaCorFactoryPresets::presetProduct());
        host.manager = manager.get();
    }
};

TEST_F(UserPresetTest, UserFolderIsCreatedAndItsPresetsLoadUnderTheirFileNames)
{
    writeFile(home.presetFolder() / "Drums" / "Big Kick.qor", onePreset("stored name", kValues));
    float bad[7] = {0.5f, 0.25f, 0.5f, 0.75f, 0.125f, 1.5f, 0.5f}; // Output 1.5
    writeFile(home.presetFolder() / "Loud.qor", onePreset("x", bad));
    create();
    EXPECT_EQ(manager->userFolder(), home.presetFolder().string());

    manager->setKind(kQorUserDirectory);
    manager->setColumn(1); // "Drums"
    manager->selectPreset(0);
    EXPECT_STREQ(manager->current().name, "Big Kick");
    EXPECT_FLOAT_EQ(manager->current().values[5], 0.125f);
    EXPECT_EQ(manager->displayText().number, "00: ");

    manager->setColumn(0); // "All": "Big Kick", "Loud"
    manager->selectPreset(1);
    EXPECT_STREQ(manager->current().name, "Loud");
    EXPECT_FLOAT_EQ(manager->current().values[6], 0.15f); // the default replaces 1.5
}

TEST_F(UserPresetTest, APresetInAFolderBelowASubFolderLoadsFromItsColumn)
{
    writeFile(home.presetFolder() / "Another" / "Deeper" / "Deep.qor", onePreset("inner", kValues));
    create();
    manager->setKind(kQorUserDirectory);
    manager->setColumn(1); // "Another"
    ASSERT_EQ(manager->entryCount(kQorUserDirectory, 1), 1u);
    manager->selectPreset(0);
    EXPECT_STREQ(manager->current().name, "Deeper/Deep");
    EXPECT_FLOAT_EQ(manager->current().values[5], 0.125f);
}

TEST_F(UserPresetTest, UnreadableFileLoadsAsAnErrorAndKeepsTheValues)
{
    writeFile(home.presetFolder() / "broken.qor", {'B', 'R', 'X', 'K', 0x22, 1, 2});
    std::vector<uint8_t> noProcess = header(0x22, 2, 168 + 32); // no value for index 0
    programRecord(noProcess, 0, "n");
    valueRecord(noProcess, 0, 4, 0.9f);
    writeFile(home.presetFolder() / "noProcess.qor", noProcess);
    auto cut = onePreset("cut", kValues); // a copy that stopped short: the last value is missing
    cut.resize(cut.size() - 32);
    writeFile(home.presetFolder() / "cut.qor", cut);
    create();
    manager->setKind(kQorUserDirectory);
    const QorPresetRecord before = manager->current();
    for (int32_t i : {0, 1, 2, 7})
    {
        manager->selectPreset(i);
        EXPECT_STREQ(manager->current().name, "error loading preset") << i;
        EXPECT_EQ(std::memcmp(manager->current().values, before.values, sizeof before.values), 0);
    }
    double values[12];
    EXPECT_FALSE(manager->readEntryValues(kQorUserDirectory, 128, 0, values));
    EXPECT_FALSE(manager->readEntryValues(kQorCategoryDirectory, 0, 512, values));
    EXPECT_FALSE(manager->readEntryValues(7, 0, 0, values));
    EXPECT_TRUE(manager->readEntryValues(kQorCategoryDirectory, 0, 511 > 41 ? 41 : 0, values));
}

TEST_F(UserPresetTest, NoUsableUserFolderStillLeavesTheFactoryPresets)
{
    fs::create_directories(home.path() / "Documents");
    writeFile(home.path() / "Documents" / "Qor-werk", {'x'}); // a file where a folder belongs
    create();
    EXPECT_EQ(manager->userFolder(), "");
    EXPECT_EQ(manager->entryCount(kQorUserDirectory, 0), 0u);
    manager->setKind(kQorUserDirectory);
    manager->nextPreset(); // nothing to step to
    EXPECT_STREQ(manager->current().name, "Default");
    manager->setKind(kQorCategoryDirectory);
    manager->selectPreset(16);
    EXPECT_STREQ(manager->current().name, "Pop Rock Vocal");
    manager->openUserFolder();
    EXPECT_TRUE(messages.shown.empty()) << "the failure is told from the idle, as any opener's";
    EXPECT_TRUE(qortest::pollUntilReaped());
    EXPECT_EQ(messages.shown, std::vector<std::string>{": Could not open user's preset folder"});
}

TEST(UserPresetFolder, HomeWithoutDocumentsGetsNoFoldersAtAll)
{
    UserHome home(false);
    RecordingHost host;
    QorPresetManager manager(&host, vellaCorFactoryPresets::presetProduct());
    EXPECT_EQ(manager.userFolder(), "");
    EXPECT_FALSE(fs::exists(home.path() / "Documents"));

    // With "Documents" there, the three levels below it are made.
    fs::create_directory(home.path() / "Documents");
    EXPECT_TRUE(QorUserPresetFolder::create(home.presetFolder().string()));
    EXPECT_TRUE(fs::is_directory(home.presetFolder()));
}

TEST_F(UserPresetTest, OpenUserFolderAsksTheShellAndReportsItsFailure)
{
    create();
    std::vector<std::string> opened;
    bool answer = true;
    QorShell::setHandler([&](const std::string& t) {
        opened.push_back(t);
        return answer;
    });
    manager->openUserFolder();
    answer = false;
    manager->openUserFolder();
    QorShell::setHandler({});
    EXPECT_EQ(opened, std::vector<std::string>(2, home.presetFolder().string()));
    EXPECT_EQ(messages.shown, std::vector<std::string>{home.presetFolder().string() +
                                                       ": Could not open user's preset folder"});
}

TEST_F(UserPresetTest, SaveDialogProposesTheNameAndTheFileIsListedAfterwards)
{
    create();
    manager->selectPreset(12); // "Kick Fattener"
    std::vector<QorSaveDialog::Request> requests;
    std::string answer = (home.presetFolder() / "Fat.qor.qor").string();
    QorSaveDialog::setHandler([&](const QorSaveDialog::Request& r, std::string& path) {
        requests.push_back(r);
        path = answer;
        return !answer.empty();
    });
    host.calls.clear();
    manager->savePresetDialog();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, "Save preset");
    EXPECT_EQ(requests[0].folder, home.presetFolder().string());
    EXPECT_EQ(requests[0].defaultName, "Kick Fattener.qor");
    EXPECT_EQ(requests[0].typeDescription, "Qor Preset");
    EXPECT_EQ(requests[0].extension, "qor");
    EXPECT_EQ(readFile(home.presetFolder() / "Fat.qor"), manager->serializePreset(manager->current()));
    EXPECT_FALSE(fs::exists(home.presetFolder() / "Fat.qor.qor"));
    EXPECT_EQ(manager->entryName(kQorUserDirectory, 0, 0), "Fat");
    EXPECT_EQ(host.indices(), std::vector<int32_t>{69});

    // Cancelled: nothing written, but a preset put there meanwhile is listed as after a save.
    answer.clear();
    writeFile(home.presetFolder() / "Added.qor", onePreset("x", kValues));
    host.calls.clear();
    manager->current().setName("a.qor.qor");
    manager->savePresetDialog();
    EXPECT_EQ(requests.back().defaultName, "a.qor");
    EXPECT_EQ(host.indices(), std::vector<int32_t>{69});
    EXPECT_EQ(manager->entryName(kQorUserDirectory, 0, 0), "Added");
    EXPECT_FALSE(fs::exists(home.presetFolder() / "a.qor"));
    QorSaveDialog::setHandler({});
}

// A save that fails part-way (here: the file size limit) must leave the old preset intact.
TEST_F(UserPresetTest, FailedSaveKeepsTheOldFile)
{
    create();
    const fs::path target = home.presetFolder() / "Keep.qor";
    ASSERT_TRUE(manager->savePresetAs(target.string()));
    const auto old = readFile(target);
    ASSERT_EQ(old.size(), 433u);

    manager->selectPreset(5);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool ok = manager->savePresetAs(target.string());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_EQ(readFile(target), old);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind(target.string() + ": Could not save the preset", 0), 0u);
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(home.presetFolder()))
        left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"Keep.qor"}); // no temporary file stays behind

    EXPECT_FALSE(manager->savePresetAs((home.path() / "missing" / "x").string()));
    EXPECT_EQ(messages.shown.size(), 2u);
}
} // namespace

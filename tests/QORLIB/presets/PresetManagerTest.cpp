#include "QORLIB/presets/QorPresetDirectories.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "QORLIB/presets/QorPresetNotifications.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"
#include "tests/QORLIB/presets/RecordingHost.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <gtest/gtest.h>

using namespace qortest;

namespace
{
struct ManagerTest : testing::Test
{
    UserHome home;
    RecordingHost host;
    QorPresetManager manager{&host, vellaCorFactoryPresets::presetProduct()};
    ManagerTest() { host.manager = &manager; }
};

TEST_F(ManagerTest, StartsOnTheFirstFactoryPresetInBothSetups)
{
    EXPECT_STREQ(manager.current().name, "Default");
    EXPECT_FLOAT_EQ(manager.current().values[6], 0.15f);
    EXPECT_FLOAT_EQ(manager.current().values[1], 0.5f);
    EXPECT_TRUE(sameSlot(manager.setupA(), manager.setupB()));
    EXPECT_TRUE(manager.setupAActive());
    EXPECT_FALSE(manager.modified());
    EXPECT_EQ(manager.index(), 0);
    EXPECT_EQ(manager.kind(), kQorCategoryDirectory);
    EXPECT_EQ(manager.displayText().name, "Default");
    EXPECT_EQ(manager.displayText().number, "00: ");
    EXPECT_STREQ(manager.clipboardRecord().name, "Default");
    EXPECT_STREQ(manager.bank().programs()[10].name, "Glue Things Together");
    EXPECT_STREQ(manager.bank().programs()[42].name, "Init");
    EXPECT_EQ(manager.chunkBufferSize(), 24169u);
    EXPECT_TRUE(host.calls.empty()); // nothing is applied at creation
}

TEST_F(ManagerTest, CategoryDirectoryHasAllAndFourCategoriesDesignerOnlyAll)
{
    const QorPresetDirectory* d = manager.directory(kQorCategoryDirectory);
    ASSERT_EQ(d->columnCount(), 5u);
    const char* columns[5] = {"All", "Bus Compression", "Drums", "Vocals", "Special"};
    for (uint32_t c = 0; c < 5; ++c)
    {
        std::string name;
        EXPECT_TRUE(manager.columnName(kQorCategoryDirectory, c, name));
        EXPECT_EQ(name, columns[c]);
    }
    std::string name = "x";
    EXPECT_FALSE(manager.columnName(kQorCategoryDirectory, 5, name));
    EXPECT_EQ(name, "");
    // "All" lists 0..41: the last "Init" does not fit a factory column.
    ASSERT_EQ(d->entryCount(0), 42u);
    for (uint32_t i = 0; i < 42; ++i)
        EXPECT_EQ(d->entry(0, i)->factoryIndex, static_cast<int32_t>(i));
    std::vector<int32_t> drums, vocals;
    for (uint32_t i = 0; i < d->entryCount(2); ++i)
        drums.push_back(d->entry(2, i)->factoryIndex);
    for (uint32_t i = 0; i < d->entryCount(3); ++i)
        vocals.push_back(d->entry(3, i)->factoryIndex);
    EXPECT_EQ(drums, (std::vector<int32_t>{11, 12, 14, 15, 18, 19, 20, 21, 22, 25, 26}));
    EXPECT_EQ(vocals, (std::vector<int32_t>{16, 23}));
    EXPECT_EQ(d->entryCount(1) + d->entryCount(2) + d->entryCount(3) + d->entryCount(4), 31u);
    EXPECT_EQ(manager.directory(kQorDesignerDirectory)->columnCount(), 1u);
    EXPECT_EQ(manager.directory(kQorDesignerDirectory)->entryCount(0), 42u);
    EXPECT_EQ(manager.entryName(kQorCategoryDirectory, 2, 0), "Hats Smasher");
}

TEST_F(ManagerTest, SelectingAppliesBetweenLoadMarkersAndKeepsUnstoredSlots)
{
    manager.parameterChanged(1, 0.9); // a slot that no preset carries
    host.calls.clear();
    manager.selectPreset(23); // "Vox"
    const std::vector<int32_t> order{70, 0, 2, 3, 4, 5, 6, 7, 71};
    EXPECT_EQ(host.indices(), order);
    EXPECT_EQ(host.calls.front().second, 1.0);
    EXPECT_EQ(host.calls.back().second, 1.0);
    EXPECT_DOUBLE_EQ(host.last(0), 0.5);
    EXPECT_NEAR(host.last(4), 0.35, 1e-7);
    EXPECT_STREQ(manager.current().name, "Vox");
    EXPECT_FLOAT_EQ(manager.current().values[1], 0.9f);
    EXPECT_EQ(manager.displayText().number, "23: ");
    manager.selectPreset(9);
    EXPECT_EQ(manager.displayText().number, "09: ");
}

TEST_F(ManagerTest, NextAndPreviousStopAtTheEndsOfTheColumn)
{
    manager.selectPreset(41);
    host.calls.clear();
    manager.nextPreset();
    EXPECT_EQ(manager.index(), 41);
    EXPECT_STREQ(manager.current().name, "Init");
    EXPECT_EQ(host.indices().size(), 9u); // reloaded and applied
    EXPECT_FALSE(manager.canRedo());
    manager.selectPreset(0);
    const uint32_t head = manager.undoRing().head();
    manager.previousPreset();
    EXPECT_EQ(manager.index(), 0);
    EXPECT_EQ(manager.undoRing().head(), head); // the reload is no undo step
    manager.setColumn(2);                       // "Drums", 11 presets
    manager.selectPreset(10);
    manager.nextPreset();
    EXPECT_EQ(manager.index(), 10);
    EXPECT_STREQ(manager.current().name, "Kick 2");
}

TEST_F(ManagerTest, ModifiedMarkFollowsTheValuesBackToTheReference)
{
    manager.parameterChanged(4, 0.8);
    EXPECT_TRUE(manager.modified());
    EXPECT_EQ(manager.displayText().name, "Default *");
    manager.parameterChanged(4, 0.5);
    EXPECT_FALSE(manager.modified());
    EXPECT_EQ(manager.displayText().name, "Default");
    manager.parameterChanged(5, 7.0); // clamped to 1
    EXPECT_FLOAT_EQ(manager.current().values[5], 1.0f);
    manager.parameterChanged(5, -2.0);
    EXPECT_FLOAT_EQ(manager.current().values[5], 0.0f);
    manager.parameterChanged(5, 0.5);
    manager.parameterChanged(13, 0.2);  // beyond the record: ignored
    manager.parameterChanged(-1, 0.2);
    EXPECT_FALSE(manager.modified());
    manager.markCurrentAsReference();
    manager.parameterChanged(4, 0.7);
    manager.markCurrentAsReference();
    EXPECT_FALSE(manager.modified());
}

TEST_F(ManagerTest, ValuesReportedWhileApplyingAreNotStored)
{
    host.echo = true;
    manager.selectPreset(11);
    EXPECT_FALSE(manager.modified());
    EXPECT_EQ(manager.undoRing().entry(manager.undoRing().head()).isPresetLoad, 1); // no edit step
    EXPECT_FLOAT_EQ(manager.current().values[6], 0.425f);
}

TEST_F(ManagerTest, ZoomIsClampedStoredAndWrittenAsASetting)
{
    const std::pair<double, int> cases[] = {{1.25, 125}, {0.005, 100}, {0.5, 70}, {5.0, 400}, {0.0, 100}};
    for (auto [factor, percent] : cases)
    {
        manager.setZoom(factor);
        EXPECT_EQ(manager.zoomPercent(), percent) << factor;
        EXPECT_EQ(QorGlobalSettings::zoomPercent(), percent);
        double stored = -1;
        ASSERT_EQ(QorGlobalSettings::getGlobalSetting(59, stored), 0);
        EXPECT_NEAR(stored, percent * 0.001, 1e-7);
        EXPECT_DOUBLE_EQ(manager.zoomFactor(), percent * 0.01);
    }
}

TEST(PresetManagerLifetime, DestructionWritesHintsAndZoom)
{
    UserHome home;
    RecordingHost host;
    const int hints = QorGlobalSettings::hintsFlag();
    const int zoom = QorGlobalSettings::zoomPercent();
    {
        QorPresetManager m(&host, vellaCorFactoryPresets::presetProduct());
        QorGlobalSettings::hintsFlag() = 0;
        QorGlobalSettings::zoomPercent() = 150;
    }
    double v = -1;
    ASSERT_EQ(QorGlobalSettings::getGlobalSetting(57, v), 0);
    EXPECT_EQ(v, 0.0);
    ASSERT_EQ(QorGlobalSettings::getGlobalSetting(59, v), 0);
    EXPECT_NEAR(v, 0.15, 1e-7);
    EXPECT_EQ(QorPresetDirectories::instance(), nullptr); // the last manager released them
    QorGlobalSettings::hintsFlag() = hints;
    QorGlobalSettings::zoomPercent() = zoom;
}

// A product whose second parameter is kept on factory loads and whose first preset has a name
// longer than a record holds.
const char* const kOneCategory[] = {"Only"};
void testBank(int32_t n, double* values, char* name, QorFactoryPresetInfo* info)
{
    if (name != nullptr)
        std::memcpy(name, n == 0 ? "A Very Long Factory Preset" : "Second\0", n == 0 ? 24 : 7);
    if (values != nullptr)
        for (int i = 0; i < 12; ++i)
            values[i] = n == 0 ? 0.25 : 0.75;
    if (info != nullptr)
        info->category = 0;
}
uint32_t testFlags(uint32_t i) { return i == 2 ? 8 | 4 : (i < 8 ? 8 : 0); }
double testDefault(uint32_t) { return 0.5; }
const QorDesignerRecord kNobody[] = {{"", "", 0}};
const QorPresetProduct kTestProduct{2, testBank, testFlags, testDefault, kOneCategory, 1, kNobody, 1};

TEST(PresetManagerProduct, KeptParametersSurviveFactoryLoadsAndLongNamesWarn)
{
    UserHome home;
    RecordingHost host;
    testing::internal::CaptureStderr();
    QorPresetManager m(&host, kTestProduct);
    const std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_NE(warning.find("WARNING: preset name is too long!\n24 chars\n***  A Very Long Factory Pres ***"),
              std::string::npos) << warning;
    EXPECT_STREQ(m.current().name, "A Very Long Factory Pre");
    EXPECT_FLOAT_EQ(m.current().values[2], 0.25f); // the first load does not keep
    m.selectPreset(1);
    EXPECT_FLOAT_EQ(m.current().values[2], 0.25f); // kept
    EXPECT_FLOAT_EQ(m.current().values[3], 0.75f);
    EXPECT_FLOAT_EQ(m.current().values[9], 0.5f); // not stored: never loaded
}
} // namespace

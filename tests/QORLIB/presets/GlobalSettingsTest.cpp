#include "QORLIB/platform/QorSettingsStore.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "tests/QORLIB/presets/ChildProcess.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace qortest;
namespace fs = std::filesystem;

namespace
{
void storeFloat(const fs::path& root, int number, float f)
{
    std::vector<uint8_t> bytes;
    lef(bytes, f);
    writeFile(root / "QORVCME1" / ("QORVC1: " + std::to_string(number)), bytes);
}

TEST(GlobalSettings, WritesFourFloatBytesUnderTheSettingsKey)
{
    TempDir root;
    ScopedEnv dir("QOR_SETTINGS_DIR", root.path().string());
    ASSERT_EQ(QorGlobalSettings::setGlobalSetting(59, 0.125), 0);
    std::vector<uint8_t> expected;
    lef(expected, 0.125f);
    EXPECT_EQ(readFile(root.path() / "QORVCME1" / "QORVC1: 59"), expected);
    double v = -1;
    ASSERT_EQ(QorGlobalSettings::getGlobalSetting(59, v), 0);
    EXPECT_EQ(v, 0.125);
}

TEST(GlobalSettings, OnlyValidNumbersChangeTheCallersValue)
{
    TempDir root;
    ScopedEnv dir("QOR_SETTINGS_DIR", root.path().string());
    double v = 0.1;
    EXPECT_NE(QorGlobalSettings::getGlobalSetting(59, v), 0); // missing
    EXPECT_EQ(v, 0.1);
    for (float bad : {1.5f, -0.01f, std::numeric_limits<float>::quiet_NaN()})
    {
        storeFloat(root.path(), 57, bad);
        v = 1.0;
        QorGlobalSettings::getGlobalSetting(57, v);
        EXPECT_EQ(v, 1.0) << bad;
    }
    writeFile(root.path() / "QORVCME1" / "QORVC1: 57", {0, 0, 0, 0, 0}); // not 4 bytes
    v = 1.0;
    EXPECT_NE(QorGlobalSettings::getGlobalSetting(57, v), 0);
    EXPECT_EQ(v, 1.0);
    storeFloat(root.path(), 57, 0.0f);
    EXPECT_EQ(QorGlobalSettings::getGlobalSetting(57, v), 0);
    EXPECT_EQ(v, 0.0);
}

TEST(GlobalSettings, ZoomRulesOfTheStoredValue)
{
    EXPECT_EQ(QorGlobalSettings::zoomPercentFromSetting(0.1), 100);
    EXPECT_EQ(QorGlobalSettings::zoomPercentFromSetting(0.05), 70);  // 50 % is below the range
    EXPECT_EQ(QorGlobalSettings::zoomPercentFromSetting(0.5), 400);  // factor 5 is above it
    EXPECT_EQ(QorGlobalSettings::zoomPercentFromSetting(0.0), 100);  // no zoom means 100 %
    EXPECT_EQ(QorGlobalSettings::zoomPercentFromSetting(0.125), 125);
    EXPECT_EQ(QorGlobalSettings::zoomPercentFromSetting(0.1749), 175);
    EXPECT_NEAR(QorGlobalSettings::zoomSettingFromPercent(150), 0.15, 1e-12);
    EXPECT_NEAR(QorGlobalSettings::zoomSettingFromPercent(20), 0.07, 1e-12);
    EXPECT_NEAR(QorGlobalSettings::zoomSettingFromPercent(900), 0.4, 1e-12);
}

TEST(GlobalSettings, ClipboardAndManualPathValues)
{
    TempDir root;
    ScopedEnv dir("QOR_SETTINGS_DIR", root.path().string());
    ASSERT_EQ(QorGlobalSettings::setManualPath("/usr/share/doc/qor vellaCor/manual.pdf"), 0);
    std::string path;
    ASSERT_EQ(QorGlobalSettings::getManualPath(path), 0);
    EXPECT_EQ(path, "/usr/share/doc/qor vellaCor/manual.pdf");
    EXPECT_TRUE(fs::exists(root.path() / "QORVC1" / "ManualPath"));
    ASSERT_EQ(QorGlobalSettings::setClipboardPreset({1, 2, 3}), 0);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(QorGlobalSettings::getClipboardPreset(bytes), 0);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(fs::exists(root.path() / "QORVC1" / "MemoA"));
}

// The process-wide values are read once, at first use; each case runs in a fresh process.
struct StartUpCase
{
    float hints, zoom;
    const char* expected;
};

TEST(GlobalSettings, StartUpReadsHintsAndZoomWithTheirRules)
{
    const StartUpCase cases[] = {{1.5f, 0.05f, "hints 1 zoom 70"},
                                 {0.0f, 0.5f, "hints 0 zoom 400"},
                                 {1.0f, 0.0f, "hints 1 zoom 100"},
                                 {0.0f, 0.15f, "hints 0 zoom 150"}};
    for (const StartUpCase& c : cases)
    {
        TempDir shared;
        storeFloat(shared.path(), 57, c.hints);
        storeFloat(shared.path(), 59, c.zoom);
        ScopedEnv env("QOR_TEST_SHARED_SETTINGS", shared.path().string());
        EXPECT_NE(runTestInChild("ChildProcess.DISABLED_PrintStartUpSettings").find(c.expected),
                  std::string::npos)
            << c.expected;
    }
    TempDir empty;
    ScopedEnv env("QOR_TEST_SHARED_SETTINGS", empty.path().string());
    EXPECT_NE(runTestInChild("ChildProcess.DISABLED_PrintStartUpSettings").find("hints 1 zoom 100"),
              std::string::npos);
}

TEST(ChildProcess, DISABLED_PrintStartUpSettings)
{
    if (!inChild())
        GTEST_SKIP();
    std::printf("hints %d zoom %d\n", QorGlobalSettings::hintsFlag(), QorGlobalSettings::zoomPercent());
}
} // namespace

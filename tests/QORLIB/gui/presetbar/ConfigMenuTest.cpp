// The configuration menu: pages and their announcements, the hints switch, the manual
// button's messages, the version line and what the open menu looks like.
#include "QORLIB/gui/presetbar/QorConfigMenu2waySwitch.h"
#include "QORLIB/gui/presetbar/QorConfigMenuGroupSwitch.h"
#include "QORLIB/gui/presetbar/QorConfigMenuExitButton.h"
#include "QORLIB/gui/presetbar/QorConfigPluginInfoText.h"
#include "QORLIB/gui/presetbar/QorUserManual.h"
#include "QORLIB/gui/toolkit/PixelAccess.h"
#include "tests/QORLIB/gui/presetbar/MenuFixture.h"
#include "tests/QORLIB/platform/ChildWait.h"
#include "tests/QORLIB/platform/FakeTool.h"
#include "tests/QORLIB/platform/ScopedEnv.h"

#include <filesystem>

using qortk::PixelAccess;

namespace
{
// Rows of the 400 × 275 overlay: the page switch's segments are floor(392 × 0.5) = 196 wide;
// manual 51..79, hints 99..127 with "Hide" and "Show" in the right half, empty area from 176.
constexpr double kSwitchY = 15;
constexpr double kGlobalX = 100;
constexpr double kInfoX = 300;
constexpr double kOpenX = 300, kOpenY = 65;
constexpr double kHideX = 250, kShowX = 350, kHintsY = 113;

struct ConfigMenu : MenuFixture
{
    void openMenu()
    {
        owner->valueChanged(QorPresetBarEditor::kConfigTag, 1.0);
        ASSERT_TRUE(owner->isConfigMenuShown());
    }
};
} // namespace

TEST_F(ConfigMenu, PagesCollapseTheOverlayAndAnnounceInOrder)
{
    create();
    openMenu();
    EXPECT_EQ(configMenu().page(), 0);
    const QorRect full = owner->configMenuOverlay()->getRect();
    EXPECT_DOUBLE_EQ(full.height(), 275);

    owner->click(kInfoX, kSwitchY); // "Plugin info"
    EXPECT_EQ(configMenu().page(), 1);
    EXPECT_TRUE(owner->isConfigMenuShown());
    EXPECT_FALSE(configMenu().isPageSwitching());
    EXPECT_DOUBLE_EQ(configMenu().pageSwitch()->getValue(), 1.0);
    const QorRect collapsed = owner->configMenuOverlay()->getRect();
    EXPECT_DOUBLE_EQ(collapsed.top, full.top);
    EXPECT_DOUBLE_EQ(collapsed.height(), 29) << "only the switch row stays over the editor";
    EXPECT_DOUBLE_EQ(configMenu().currentRect().height(), 29);

    owner->click(kGlobalX, kSwitchY); // "Global settings", still open
    EXPECT_EQ(configMenu().page(), 0);
    EXPECT_TRUE(owner->isConfigMenuShown());
    EXPECT_DOUBLE_EQ(owner->configMenuOverlay()->getRect().height(), 275);

    owner->click(200, 220); // the empty area closes the menu
    EXPECT_FALSE(owner->isConfigMenuShown());

    const std::vector<int32_t> expected{kConfigMenuOpened, kShowInfo,  kConfigMenuOpened,
                                        kHideInfo,         kHideInfo, kConfigMenuClosed};
    EXPECT_EQ(owner->announced, expected);
}

TEST_F(ConfigMenu, ClosedOnPluginInfoItReopensOnGlobalSettings)
{
    create();
    openMenu();
    owner->click(kInfoX, kSwitchY);
    ASSERT_EQ(configMenu().page(), 1);
    owner->valueChanged(QorPresetBarEditor::kConfigTag, 1.0); // the strip's button closes it
    EXPECT_FALSE(owner->isConfigMenuShown());
    EXPECT_EQ(configMenu().page(), 0);
    openMenu();
    EXPECT_DOUBLE_EQ(owner->configMenuOverlay()->getRect().height(), 275);
    EXPECT_DOUBLE_EQ(configMenu().pageSwitch()->getValue(), 0.0);
}

TEST_F(ConfigMenu, HintsSwitchSetsTheFlagAndFollowsNotifications)
{
    ASSERT_EQ(QorGlobalSettings::setGlobalSetting(QorGlobalSettings::kHintsSetting, 1.0), 0);
    create();
    openMenu();
    QorConfigMenu2waySwitch& hints = *configMenu().hintsSwitch();
    EXPECT_DOUBLE_EQ(hints.getValue(), 1.0) << "opened with hints on";
    owner->click(kHideX, kHintsY);
    EXPECT_EQ(QorGlobalSettings::hintsFlag(), 0);
    EXPECT_DOUBLE_EQ(hints.getValue(), 0.0);
    EXPECT_EQ(owner->hintCalls, std::vector<bool>{false});
    EXPECT_FALSE(owner->engine.hintsEnabled());
    // Only written when a manager goes away.
    double stored = -1;
    EXPECT_EQ(QorGlobalSettings::getGlobalSetting(QorGlobalSettings::kHintsSetting, stored), 0);
    EXPECT_DOUBLE_EQ(stored, 1.0);

    owner->click(kShowX, kHintsY);
    EXPECT_EQ(QorGlobalSettings::hintsFlag(), 1);
    EXPECT_TRUE(owner->engine.hintsEnabled());

    // Another instance turned them off: the notification moves the switch.
    owner->parameterChanged(QorGlobalSettings::kHintsSetting, 0.0);
    EXPECT_DOUBLE_EQ(hints.getValue(), 0.0);
    EXPECT_EQ(owner->hintCalls.back(), false);

    // Reopening shows the process-wide flag.
    owner->valueChanged(QorPresetBarEditor::kConfigTag, 1.0);
    QorGlobalSettings::hintsFlag() = 0;
    openMenu();
    EXPECT_DOUBLE_EQ(hints.getValue(), 0.0);
    owner.reset();
    manager.reset();
    EXPECT_EQ(QorGlobalSettings::getGlobalSetting(QorGlobalSettings::kHintsSetting, stored), 0);
    EXPECT_DOUBLE_EQ(stored, 0.0);
}

TEST_F(ConfigMenu, ManualOpensTheStoredPathOrNamesWhyItCannot)
{
    create();
    openMenu();
    const std::string manual = (home.path() / "Manual.pdf").string();
    qortest::writeFile(manual, {'%', 'P', 'D', 'F'});
    ASSERT_EQ(QorGlobalSettings::setManualPath(manual), 0);
    QorConfigMenuExitButton& note = *configMenu().exitArea();

    owner->click(kOpenX, kOpenY);
    EXPECT_EQ(opened, std::vector<std::string>{manual});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(note.note(), "");

    // The document is there but nothing opens it: the advice names what opens that kind.
    shellSucceeds = false;
    owner->click(kOpenX, kOpenY);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Could not open manual file|Make sure a PDF reader is installed");
    EXPECT_EQ(note.note(), "Could not open manual file: Make sure a PDF reader is installed");

    // A path to nothing.
    const std::string gone = (home.path() / "gone.pdf").string();
    ASSERT_EQ(QorGlobalSettings::setManualPath(gone), 0);
    owner->click(kOpenX, kOpenY);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "|Could not open user manual");
    EXPECT_EQ(note.note(), "Could not open user manual: " + gone);

    // A press on the label beside the button does nothing.
    owner->click(50, kOpenY);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(owner->isConfigMenuShown());
    // The next press starts afresh.
    shellSucceeds = true;
    owner->click(kOpenX, kOpenY);
    EXPECT_EQ(note.note(), "");
}

TEST_F(ConfigMenu, WithoutAStoredPathTheBuiltManualIsOpened)
{
    // A settings root of its own, where no test has stored a path.
    qortest::TempDir settings("qor-settings");
    qortest::ScopedEnv root("QOR_SETTINGS_DIR", settings.path().string());
    create();
    openMenu();
    owner->click(kOpenX, kOpenY);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], std::filesystem::canonical(QOR_MANUAL_BUILD_DIR "/index.html").string());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QorUserManual::path(), opened[0]);
}

TEST_F(ConfigMenu, TheRealOpenerGetsTheManualAndItsFailureIsSaidInTheMenu)
{
    qortest::TempDir settings("qor-settings");
    qortest::ScopedEnv root("QOR_SETTINGS_DIR", settings.path().string());
    qortest::FakeTools tools;
    tools.add("xdg-open", "exit 0");
    qortest::ScopedEnv path("PATH", tools.path());
    QorShell::setHandler({});
    create();
    openMenu();
    owner->click(kOpenX, kOpenY);
    ASSERT_TRUE(qortest::pollUntilReaped());
    const std::string built = std::filesystem::canonical(QOR_MANUAL_BUILD_DIR "/index.html").string();
    EXPECT_EQ(tools.args("xdg-open"), built + "\n");
    EXPECT_EQ(configMenu().exitArea()->note(), "");

    // xdg-open's "no application" failure for a manual that is there.
    tools.add("xdg-open", "exit 3");
    owner->click(kOpenX, kOpenY);
    EXPECT_EQ(configMenu().exitArea()->note(), "") << "the answer comes from the idle";
    ASSERT_TRUE(qortest::pollUntilReaped());
    EXPECT_EQ(messages, std::vector<std::string>{"Could not open manual file|Make sure a web browser is installed"});
    EXPECT_EQ(configMenu().exitArea()->note(), "Could not open manual file: Make sure a web browser is installed");
    const uint32_t background = owner->pixel(200, 176 + 40);
    int inked = 0;
    for (int x = 60; x < 340; ++x)
        inked += owner->pixel(x, 176 + 18) != background;
    EXPECT_GT(inked, 20) << "the note is drawn in the empty area";

    // A menu that is gone before the opener answers hears nothing of it.
    owner->click(kOpenX, kOpenY);
    owner.reset();
    EXPECT_TRUE(qortest::pollUntilReaped());
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(ConfigMenu, VersionLineNamesTheFormatRunning)
{
    EXPECT_EQ(QorConfigPluginInfoText::versionLine(QorPluginFormats::kAax), "v.2.2.2.0 (sh.7.2.0) build:01111303aax.x64");
    EXPECT_EQ(QorConfigPluginInfoText::versionLine(QorPluginFormats::kLv2), "v.2.2.2.0 (sh.7.2.0) build:01111303lv2.x64");
    EXPECT_EQ(QorConfigPluginInfoText::versionLine(QorPluginFormats::kStandalone),
              "v.2.2.2.0 (sh.7.2.0) build:01111303standalone.x64");
    EXPECT_EQ(QorConfigPluginInfoText::versionLine(QorPluginFormats::kUnnamed), "v.2.2.2.0 (sh.7.2.0) build:01111303.x64");
    // The menu of an editor shows its own engine's format; the test owner names none.
    create();
    EXPECT_EQ(configMenu().versionText()->line(), "v.2.2.2.0 (sh.7.2.0) build:01111303.x64");
}

TEST_F(ConfigMenu, OpenMenuShowsItsOverlayAndCollapsesToTheSwitchRow)
{
    create();
    const uint32_t below = owner->pixel(200, 40);
    const uint32_t belowLow = owner->pixel(200, 140);
    openMenu();
    const auto blend = [](uint32_t under, int shift) {
        return int((25 * 230 + int((under >> shift) & 0xff) * 25) / 255.0 + 0.5);
    };
    const uint32_t overlay = owner->pixel(200, 40); // between the switch row and the manual row
    EXPECT_NEAR(PixelAccess::red(overlay), blend(below, 24), 2) << std::hex << overlay << " over " << below;
    EXPECT_NEAR(PixelAccess::green(overlay), blend(below, 16), 2);
    EXPECT_NEAR(PixelAccess::blue(overlay), blend(below, 8), 2);
    if (const char* folder = std::getenv("QOR_MENU_SHOTS")) // to look at them
        owner->screen().writePng(std::string(folder) + "/config-menu.png");

    owner->click(kInfoX, kSwitchY);
    // Below the 29-point row the editor shows through again.
    EXPECT_EQ(owner->pixel(200, 140), belowLow);
    EXPECT_NE(owner->pixel(200, 40), overlay) << "the page rows are gone";
}

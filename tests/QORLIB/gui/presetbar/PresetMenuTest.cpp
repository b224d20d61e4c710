// The preset menu over a real preset manager: directories, columns, loading, undo steps,
// closing, the bottom line, the designer photo and what the open menu looks like.
#include "QORLIB/gui/presetbar/QorCategoryColumn.h"
#include "QORLIB/gui/presetbar/QorDesignerLogo.h"
#include "QORLIB/gui/presetbar/QorPresetColumns.h"
#include "QORLIB/gui/presetbar/QorPresetMenuBottomTextInfo.h"
#include "QORLIB/gui/presetbar/QorPresetMenuGroupSwitch.h"
#include "QORLIB/gui/toolkit/PixelAccess.h"
#include "tests/QORLIB/gui/presetbar/MenuFixture.h"

using qortk::PixelAccess;

namespace
{
// Points of the overlay (400 × 275) worked out from the menu's layout: the group switch's
// segments are floor(392 × 0.333) = 130 wide from x = 4, one apart; the lists start at y = 31
// with rows of 20; the preset list starts at x = 201; the photo area, where it is shown, is
// 106..246.
constexpr double kSwitchY = 15;
constexpr double kApplicationX = 60;
constexpr double kMyPresetsX = 330;
constexpr double kPresetX = 260;
double rowY(int row) { return 31 + 20 * row + 10; }

struct PresetMenu : MenuFixture
{
    void openMenu()
    {
        owner->valueChanged(QorPresetBarEditor::kNameTag, 1.0);
        ASSERT_TRUE(owner->isPresetMenuShown());
    }
};

bool colourNear(uint32_t rgba, int r, int g, int b, int tolerance = 2)
{
    return std::abs(PixelAccess::red(rgba) - r) <= tolerance && std::abs(PixelAccess::green(rgba) - g) <= tolerance &&
           std::abs(PixelAccess::blue(rgba) - b) <= tolerance;
}
} // namespace

TEST_F(PresetMenu, SwitchingToMyPresetsRescansAndShowsAllWithoutLoading)
{
    create();
    openMenu();
    // Added after the manager's first scan: only a rescan finds it.
    writePreset("Fresh Take.qor");
    const std::string nameBefore = manager->current().name;
    host.calls.clear();

    owner->click(kMyPresetsX, kSwitchY);

    EXPECT_EQ(manager->kind(), kQorUserDirectory);
    EXPECT_EQ(presetMenu().kind(), kQorUserDirectory);
    EXPECT_EQ(presetMenu().column(), 0u);
    EXPECT_EQ(presetMenu().index(), -1);
    EXPECT_FALSE(hostSawLoad()) << "choosing a directory loads nothing";
    EXPECT_EQ(manager->current().name, nameBefore);
    QorCategoryColumn& columns = *presetMenu().columnList();
    ASSERT_GE(columns.cellCount(), 1);
    EXPECT_EQ(columns.cellLabel(0), "All");
    EXPECT_EQ(columns.selectedValue(), 0);
    QorPresetColumns& presets = *presetMenu().presetList();
    ASSERT_EQ(presets.cellCount(), 1);
    EXPECT_EQ(presets.cellLabel(0), "00. Fresh Take");
    EXPECT_EQ(presets.selectedCell(), -1);
    EXPECT_DOUBLE_EQ(presetMenu().groupSwitch()->getValue(), 1.0);
    // The user directory has no photo: the column list reaches down to the bottom line.
    EXPECT_DOUBLE_EQ(columns.getRect().bottom, 275 - 29);
    EXPECT_DOUBLE_EQ(presetMenu().designerLogo()->getRect().width(), 0.0);
    EXPECT_TRUE(owner->isPresetMenuShown());

    // "Designer" (one column): the photo area returns below a shorter column list.
    owner->click(200, kSwitchY);
    EXPECT_EQ(manager->kind(), kQorDesignerDirectory);
    EXPECT_DOUBLE_EQ(columns.getRect().bottom, 275 - 169);
    EXPECT_EQ(presetMenu().designerLogo()->getRect().width(), 200);
    EXPECT_FALSE(hostSawLoad());
}

TEST_F(PresetMenu, PressesBesideTheSegmentsChangeNothing)
{
    create();
    openMenu();
    owner->click(2, kSwitchY);   // left of the first segment
    owner->click(398, kSwitchY); // right of the last one (266 + 130 = 396)
    owner->click(134.5, kSwitchY); // the gap between "Application" and "Designer"
    EXPECT_EQ(manager->kind(), kQorCategoryDirectory);
    EXPECT_EQ(presetMenu().kind(), kQorCategoryDirectory);
    EXPECT_EQ(manager->undoRing().head(), manager->undoRing().start());
}

TEST_F(PresetMenu, ColumnChangeAndPresetLoadAreSeparateUndoSteps)
{
    create();
    openMenu();
    // Rows: "All", "Bus Compression", "Drums", "Vocals", "Special".
    owner->click(50, rowY(2));
    ASSERT_EQ(presetMenu().column(), 2u);
    EXPECT_EQ(manager->column(), 2u);
    EXPECT_EQ(presetMenu().presetList()->cellLabel(0), "00. Hats Smasher");
    EXPECT_FALSE(hostSawLoad()) << "choosing a column loads nothing";

    owner->click(kPresetX, rowY(1));
    EXPECT_STREQ(manager->current().name, "Kick Fattener");
    EXPECT_EQ(manager->index(), 1);
    EXPECT_TRUE(hostSawLoad());
    EXPECT_TRUE(owner->isPresetMenuShown()) << "a single click keeps the menu open";
    EXPECT_EQ(presetMenu().presetList()->selectedValue(), 1);
    EXPECT_EQ(presetMenu().columnList()->selectedValue(), 2);

    // The load goes first: Drums stays, with its first preset.
    manager->undo();
    EXPECT_EQ(manager->column(), 2u);
    EXPECT_EQ(manager->index(), 0);
    // Then the column change: back to "All".
    manager->undo();
    EXPECT_EQ(manager->column(), 0u);
    EXPECT_EQ(manager->index(), 0);
    EXPECT_FALSE(manager->canUndo());
}

TEST_F(PresetMenu, DoubleClickLoadsAndClosesTheMenu)
{
    create();
    openMenu();
    owner->click(50, rowY(2)); // Drums
    owner->announced.clear();
    owner->doubleClick(kPresetX, rowY(2));
    EXPECT_STREQ(manager->current().name, "Snare Puncher");
    EXPECT_FALSE(owner->isPresetMenuShown());
    EXPECT_FALSE(owner->shown(owner->presetMenuOverlay()));
    EXPECT_EQ(owner->announced, std::vector<int32_t>{kPresetMenuClosed});
    EXPECT_FALSE(presetMenu().presetList()->closeFlag());

    // Opened again, a single click leaves it open.
    openMenu();
    owner->click(kPresetX, rowY(0));
    EXPECT_STREQ(manager->current().name, "Hats Smasher");
    EXPECT_TRUE(owner->isPresetMenuShown());
}

TEST_F(PresetMenu, BottomLineShowsTheSelectedUserFileAndOpensTheFolder)
{
    writePreset("Drums/Big Kick.qor");
    writePreset("Loud.qor");
    create();
    openMenu();
    QorPresetMenuBottomTextInfo& line = *presetMenu().bottomLine();
    EXPECT_EQ(line.title(), "Factory presets are integral part of the plugin");
    EXPECT_EQ(line.detail(), "Factory presets are integral part of the plugin and they are NOT stored as files");
    // Factory presets are no files: a press opens nothing.
    owner->click(200, 262);
    EXPECT_TRUE(opened.empty());

    owner->click(kMyPresetsX, kSwitchY);
    const std::string folder = home.presetFolder().string();
    EXPECT_EQ(line.title(), "Show in file manager"); // the desktop's words, not Windows'
    EXPECT_EQ(line.detail(), folder);

    // "All" lists "Big Kick" then "Loud"; the columns are "All" and "Drums".
    owner->click(kPresetX, rowY(1));
    EXPECT_STREQ(manager->current().name, "Loud");
    EXPECT_EQ(line.detail(), folder + "/Loud.qor");
    EXPECT_STREQ(line.getHint(), (folder + "/Loud.qor").c_str());
    owner->click(kPresetX, rowY(0));
    EXPECT_EQ(line.detail(), folder + "/Drums/Big Kick.qor");

    owner->click(50, rowY(1)); // the "Drums" column, no preset chosen yet
    EXPECT_EQ(line.detail(), folder + "/Drums");
    owner->click(kPresetX, rowY(0));
    EXPECT_EQ(line.detail(), folder + "/Drums/Big Kick.qor");

    owner->click(200, 262);
    EXPECT_EQ(opened, std::vector<std::string>{folder});
    EXPECT_TRUE(messages.empty());
    shellSucceeds = false;
    owner->click(200, 262);
    EXPECT_EQ(messages, std::vector<std::string>{folder + "|Could not open user's preset folder"});
    // The editor says so too, not only a desktop message box that may not exist.
    EXPECT_EQ(line.title(), "Could not open the folder");
    owner->click(50, rowY(0)); // another column: the line is about that one now
    EXPECT_EQ(line.title(), "Show in file manager");
}

TEST_F(PresetMenu, PhotoOpensTheMakersSiteAndAPressBesideItClosesTheMenu)
{
    create();
    openMenu();
    QorDesignerLogo& logo = *presetMenu().designerLogo();
    // Inside the panel's 275 points the five categories need rows 31..131, more than the 75
    // points above the photo area: the column list takes the whole height and the photo gives way.
    EXPECT_DOUBLE_EQ(logo.getRect().width(), 0);
    EXPECT_DOUBLE_EQ(presetMenu().columnList()->getRect().bottom, 246);
    // The Designer directory has one column: the photo has its area.
    owner->click(200, kSwitchY);
    ASSERT_EQ(manager->kind(), uint32_t(kQorDesignerDirectory));
    EXPECT_DOUBLE_EQ(presetMenu().columnList()->getRect().bottom, 106);
    EXPECT_STREQ(logo.getHint(), "Click on the photo to get more info about preset's designer");
    // 120 × 120 centred in 0..200, its bottom 10 above the area's bottom (246).
    const QorRect photo = logo.photoRect();
    EXPECT_DOUBLE_EQ(photo.left, 40);
    EXPECT_DOUBLE_EQ(photo.right, 160);
    EXPECT_DOUBLE_EQ(photo.bottom, 236);
    EXPECT_DOUBLE_EQ(photo.top, 116);

    owner->click(100, 176);
    EXPECT_EQ(opened, std::vector<std::string>{"https://www.qor-werk.com"});
    EXPECT_TRUE(owner->isPresetMenuShown());

    owner->click(10, 240);
    EXPECT_FALSE(owner->isPresetMenuShown());
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(PresetMenu, SyncFollowsTheManager)
{
    create();
    manager->setColumn(3); // Vocals: "Pop Rock Vocal", "Vox"
    manager->selectPreset(1);
    presetMenu().sync();
    EXPECT_EQ(presetMenu().column(), 3u);
    EXPECT_EQ(presetMenu().index(), 1);
    EXPECT_EQ(presetMenu().columnList()->selectedValue(), 3);
    EXPECT_EQ(presetMenu().presetList()->cellLabel(1), "01. Vox");
    EXPECT_EQ(presetMenu().presetList()->selectedValue(), 1);
    EXPECT_DOUBLE_EQ(presetMenu().groupSwitch()->getValue(), 0.0);
}

TEST_F(PresetMenu, OpenMenuShowsTheOverlayAndTheSelectionColours)
{
    create();
    // What lies below the overlay, probed before it is shown.
    const uint32_t below = owner->pixel(100, 30);
    openMenu();
    // (30, 30, 30) at alpha 200 over what was there.
    const auto blend = [&](int shift) {
        const int under = int((below >> shift) & 0xff);
        return int((30 * 200 + under * 55) / 255.0 + 0.5);
    };
    const uint32_t overlay = owner->pixel(100, 30);
    EXPECT_TRUE(colourNear(overlay, blend(24), blend(16), blend(8)))
        << std::hex << overlay << " over " << below;
    // Factory kinds select in (50, 88, 141): the first preset and the "All" row.
    EXPECT_TRUE(colourNear(owner->pixel(370, rowY(0)), 50, 88, 141)) << std::hex << owner->pixel(370, rowY(0));
    EXPECT_TRUE(colourNear(owner->pixel(170, rowY(0)), 50, 88, 141));
    // An unselected cell keeps the overlay's shade.
    EXPECT_TRUE(colourNear(owner->pixel(370, rowY(1)), PixelAccess::red(overlay), PixelAccess::green(overlay),
                           PixelAccess::blue(overlay)));

    if (const char* folder = std::getenv("QOR_MENU_SHOTS"))
        owner->screen().writePng(std::string(folder) + "/preset-menu-factory.png");

    // The User kind selects in (49, 139, 119).
    writePreset("One.qor");
    owner->click(kMyPresetsX, kSwitchY);
    owner->click(kPresetX, rowY(0));
    EXPECT_TRUE(colourNear(owner->pixel(370, rowY(0)), 49, 139, 119)) << std::hex << owner->pixel(370, rowY(0));
    EXPECT_TRUE(colourNear(owner->pixel(190, rowY(0)), 49, 139, 119));
    if (const char* folder = std::getenv("QOR_MENU_SHOTS")) // to look at them
        owner->screen().writePng(std::string(folder) + "/preset-menu.png");
}

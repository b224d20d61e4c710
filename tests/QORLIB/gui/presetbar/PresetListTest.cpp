// The preset list's cells and scroll bar with a user folder of more presets than it shows.
#include "QORLIB/gui/presetbar/QorPresetColumns.h"
#include "QORLIB/gui/presetbar/QorPresetMenuGroupSwitch.h"
#include "tests/QORLIB/gui/presetbar/MenuFixture.h"

namespace
{
struct PresetList : MenuFixture
{
    void fill(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            char name[32];
            std::snprintf(name, sizeof name, "p%03d.qor", i);
            writePreset(name);
        }
    }
    void showMyPresets()
    {
        owner->valueChanged(QorPresetBarEditor::kNameTag, 1.0);
        owner->click(330, 15);
        ASSERT_EQ(presetMenu().kind(), kQorUserDirectory);
    }
};

// The list is 201..401 × 31..246: 215 high, so 10 visible rows; with 511 rows a scroll bar
// of 16 at the right, and the cells narrow to 200 - 19 = 181.
constexpr double kTop = 31;
constexpr double kHeight = 215;
constexpr int kVisibleRows = 10;
constexpr double kTrackX = 395;
} // namespace

TEST_F(PresetList, AColumnOfMoreThan511PresetsShows511Cells)
{
    fill(600);
    create();
    showMyPresets();
    EXPECT_EQ(manager->entryCount(kQorUserDirectory, 0), 512u) << "a column holds 512 entries";
    EXPECT_EQ(presetMenu().presetList()->cellCount(), 511);
}

TEST_F(PresetList, Of512PresetsTheLastOneHasNoCell)
{
    fill(512);
    create();
    showMyPresets();
    QorPresetColumns& list = *presetMenu().presetList();
    EXPECT_EQ(list.cellCount(), 511);
    EXPECT_EQ(list.cellLabel(0), "00. p000");
    EXPECT_EQ(list.cellLabel(9), "09. p009");
    EXPECT_EQ(list.cellLabel(10), "10. p010");
    EXPECT_EQ(list.cellLabel(510), "510. p510");
    EXPECT_EQ(list.cell(511).value, -1) << "the 512th cell stays empty";
    EXPECT_TRUE(list.hasScrollBar());
    EXPECT_EQ(list.cellColumns(), 1);
    EXPECT_EQ(list.visibleRows(), kVisibleRows);
    EXPECT_EQ(list.rowsPerColumn(), 511);
    EXPECT_DOUBLE_EQ(list.cell(0).rect.right - list.cell(0).rect.left, 181);
}

TEST_F(PresetList, ControlJumpsTheThumbAndTheCellsFollow)
{
    fill(512);
    create();
    showMyPresets();
    QorPresetColumns& list = *presetMenu().presetList();
    const double thumb = kHeight * kVisibleRows / 511;
    // position = (y - (top + thumb / 2)) / (height - thumb): the middle of the track gives 0.5.
    const double middle = kTop + thumb / 2 + (kHeight - thumb) * 0.5;
    owner->click(kTrackX, middle, qortk::kControl);
    EXPECT_NEAR(list.scrollPosition(), 0.5, 1e-9);
    // Offset -(511 - 10) × 20 × 0.5 = -5010: cell 255 is drawn at 31 + 5100 - 5010 = 121.
    EXPECT_DOUBLE_EQ(list.shownCellRect(255).top, 121);
    owner->click(260, 131);
    EXPECT_STREQ(manager->current().name, "p255");
    EXPECT_EQ(manager->index(), 255);

    // Beyond the track's end: clamped to 1, the last cell shown at 31 + 10200 - 10020 = 211.
    owner->click(kTrackX, 245, qortk::kControl);
    EXPECT_DOUBLE_EQ(list.scrollPosition(), 1.0);
    EXPECT_DOUBLE_EQ(list.shownCellRect(510).top, 211);
    owner->click(260, 221);
    EXPECT_STREQ(manager->current().name, "p510");
    // Nothing below the last cell.
    owner->click(260, 240);
    EXPECT_EQ(manager->index(), 510);
}

TEST_F(PresetList, AfterAWheelNotchTheHoverIsOnTheRowNowUnderThePointer)
{
    fill(40);
    create();
    showMyPresets();
    QorPresetColumns& list = *presetMenu().presetList();
    owner->move(260, kTop + 2 * 20 + 10);
    ASSERT_EQ(list.hoveredCell(), 2);
    // One notch down moves the cells up by one row of 20: 1 / (40 - 10) of the way.
    owner->frame().wheel(MenuTestOwner::at(260, kTop + 2 * 20 + 10), -1.0f, 0);
    EXPECT_NEAR(list.scrollPosition(), 1.0 / 30.0, 1e-9);
    EXPECT_EQ(list.hoveredCell(), 3);
}

TEST_F(PresetList, DraggingTheThumbScrollsWithoutJumping)
{
    fill(100);
    create();
    showMyPresets();
    QorPresetColumns& list = *presetMenu().presetList();
    ASSERT_EQ(list.rowsPerColumn(), 100);
    const double thumb = kHeight * kVisibleRows / 100; // 21.5
    // A plain press on the thumb grabs it where it is pressed.
    owner->down(kTrackX, kTop + 5);
    EXPECT_DOUBLE_EQ(list.scrollPosition(), 0.0);
    const double travel = kHeight - thumb;
    owner->move(kTrackX, kTop + 5 + travel / 4, qortk::kLButton);
    EXPECT_NEAR(list.scrollPosition(), 0.25, 1e-9);
    owner->up(kTrackX, kTop + 5 + travel / 4);
    EXPECT_FALSE(hostSawLoad()) << "scrolling loads nothing";
    // A wheel notch moves one row of the 90 hidden ones.
    owner->frame().wheel(MenuTestOwner::at(260, 100), -1.0f, 0);
    EXPECT_NEAR(list.scrollPosition(), 0.25 + 1.0 / 90, 1e-9);
}

TEST_F(PresetList, AShortListFillsItsFirstColumnWithoutAScrollBar)
{
    fill(3);
    create();
    showMyPresets();
    QorPresetColumns& list = *presetMenu().presetList();
    EXPECT_EQ(list.cellCount(), 3);
    EXPECT_FALSE(list.hasScrollBar());
    // rows per cell column = max(ceil(3 / 1), 10 - 1)
    EXPECT_EQ(list.rowsPerColumn(), 9);
    EXPECT_DOUBLE_EQ(list.cell(2).rect.top, 71);
    EXPECT_DOUBLE_EQ(list.cell(0).rect.right - list.cell(0).rect.left, 200);
}

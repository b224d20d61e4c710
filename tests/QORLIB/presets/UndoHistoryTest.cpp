#include "QORLIB/presets/QorPresetManager.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"
#include "tests/QORLIB/presets/RecordingHost.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "QORLIB/presets/QorPresetNotifications.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace qortest;

namespace
{
constexpr int32_t kTime = 4;

struct UndoTest : testing::Test
{
    UserHome home;
    ManualTick tick;
    RecordingHost host;
    QorPresetManager manager{&host, vellaCorFactoryPresets::presetProduct()};
    UndoTest() { host.manager = &manager; }

    // An edit long enough after the previous one to be a step of its own.
    void edit(int32_t index, double value)
    {
        tick.advance(200);
        manager.parameterChanged(index, value);
    }
    // Undoes once and answers the Time value applied, or -1 when nothing was applied.
    double undoTime()
    {
        host.calls.clear();
        manager.undo();
        return host.last(kTime);
    }
    double redoTime()
    {
        host.calls.clear();
        manager.redo();
        return host.last(kTime);
    }
};

TEST_F(UndoTest, NothingToUndoAfterCreation)
{
    EXPECT_FALSE(manager.canUndo());
    EXPECT_FALSE(manager.canRedo());
    EXPECT_EQ(undoTime(), -1.0);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(UndoTest, FortySeparatedEditsLeaveThirtyOneSteps)
{
    for (int k = 1; k <= 40; ++k)
        edit(kTime, k / 100.0);
    int steps = 0;
    double last = -1;
    while (manager.canUndo())
    {
        last = undoTime();
        ++steps;
        ASSERT_LE(steps, 40);
    }
    EXPECT_EQ(steps, 31);
    EXPECT_NEAR(last, 0.09, 1e-6); // edits 10..40 undone; edit 9 is the floor
    EXPECT_EQ(undoTime(), -1.0);
    EXPECT_TRUE(manager.canRedo());
    EXPECT_NEAR(redoTime(), 0.10, 1e-6);
}

TEST_F(UndoTest, ASecondOfDragAtTwentyMillisecondsIsOneStep)
{
    for (int k = 0; k <= 50; ++k)
    {
        tick.advance(k == 0 ? 1000 : 20);
        manager.parameterChanged(kTime, 0.5 + k * 0.01);
    }
    const QorUndoEntry& e = manager.undoRing().entry(manager.undoRing().head());
    EXPECT_FLOAT_EQ(e.before.values[kTime], 0.5f);
    EXPECT_FLOAT_EQ(e.after.values[kTime], 1.0f);
    EXPECT_FLOAT_EQ(undoTime(), 0.5f);
    EXPECT_FALSE(manager.canUndo());
    EXPECT_FLOAT_EQ(redoTime(), 1.0f);
    // 51 ms apart is no longer the same gesture.
    tick.advance(51);
    manager.parameterChanged(kTime, 0.2);
    tick.advance(50);
    manager.parameterChanged(5, 0.9); // joins the step of the 0.2 edit
    EXPECT_FLOAT_EQ(undoTime(), 1.0f);
    EXPECT_FLOAT_EQ(host.last(5), 0.5f);
}

TEST_F(UndoTest, TinyChangesBelowTheResolutionAreNoSteps)
{
    edit(kTime, 0.50004);
    EXPECT_FALSE(manager.canUndo());
    edit(kTime, 0.50006);
    EXPECT_TRUE(manager.canUndo());
}

TEST_F(UndoTest, AnEditAfterTwoUndosDropsTheRedoSteps)
{
    edit(kTime, 0.1);
    edit(kTime, 0.2);
    edit(kTime, 0.3);
    EXPECT_NEAR(undoTime(), 0.2, 1e-6);
    EXPECT_NEAR(undoTime(), 0.1, 1e-6);
    EXPECT_NEAR(manager.current().values[kTime], 0.1, 1e-6); // the record follows the undo
    edit(kTime, 0.8);
    EXPECT_FALSE(manager.canRedo());
    EXPECT_EQ(redoTime(), -1.0);
    EXPECT_NEAR(undoTime(), 0.1, 1e-6);
    EXPECT_NEAR(undoTime(), 0.5, 1e-6);
    EXPECT_FALSE(manager.canUndo());
}

TEST_F(UndoTest, ASelectionAfterTwoUndosComesAfterThemAndUndoWalksThemAgain)
{
    edit(kTime, 0.1);
    edit(kTime, 0.2);
    edit(kTime, 0.3);
    undoTime();
    undoTime();
    manager.selectPreset(8); // "FastLim", Time 0.2
    EXPECT_FALSE(manager.canRedo());
    host.calls.clear();
    manager.undo(); // back to "Default" with the values it had then
    EXPECT_EQ(manager.index(), 0);
    EXPECT_STREQ(manager.current().name, "Default");
    EXPECT_NEAR(host.last(kTime), 0.1, 1e-6);
    EXPECT_NEAR(undoTime(), 0.2, 1e-6);
    EXPECT_NEAR(undoTime(), 0.1, 1e-6);
    EXPECT_NEAR(undoTime(), 0.5, 1e-6);
    EXPECT_FALSE(manager.canUndo());
    // Redo walks forward again up to the selection.
    EXPECT_NEAR(redoTime(), 0.1, 1e-6);
    EXPECT_NEAR(redoTime(), 0.2, 1e-6);
    EXPECT_NEAR(redoTime(), 0.3, 1e-6);
    redoTime();
    EXPECT_EQ(manager.index(), 8);
    EXPECT_STREQ(manager.current().name, "FastLim");
}

TEST_F(UndoTest, SelectingTheCurrentPresetAddsNoStepAndKeepsRedo)
{
    edit(kTime, 0.1);
    edit(kTime, 0.2);
    undoTime();
    ASSERT_TRUE(manager.canRedo());
    const QorUndoRing before = manager.undoRing();
    manager.selectPreset(0);
    EXPECT_EQ(manager.undoRing().head(), before.head());
    EXPECT_EQ(manager.undoRing().pos(), before.pos());
    EXPECT_EQ(manager.undoRing().start(), before.start());
    EXPECT_TRUE(manager.canRedo());
}

TEST_F(UndoTest, ColumnChangeAndLoadAreSeparateStepsAndRestoreTheSelection)
{
    manager.beginPresetLoad(); // the preset menu choosing "Drums"
    manager.setColumn(2);
    manager.endPresetLoad();
    manager.selectPreset(2); // "Snare Puncher"
    EXPECT_STREQ(manager.current().name, "Snare Puncher");
    manager.undo();
    EXPECT_EQ(manager.column(), 2u);
    EXPECT_EQ(manager.index(), 0);
    EXPECT_STREQ(manager.current().name, "Hats Smasher"); // entry 0 of "Drums"
    manager.undo();
    EXPECT_EQ(manager.column(), 0u);
    EXPECT_STREQ(manager.current().name, "Default");
    manager.redo();
    manager.redo();
    EXPECT_EQ(manager.column(), 2u);
    EXPECT_STREQ(manager.current().name, "Snare Puncher");
}

TEST_F(UndoTest, UndoingALoadAfterAPasteRestoresThePastedRecord)
{
    manager.parameterChanged(kTime, 0.9);
    manager.copyToClipboard();
    manager.pasteFromClipboard();
    const std::string pasted = manager.current().name;
    manager.selectPreset(5);
    manager.undo();
    EXPECT_EQ(manager.index(), -1);
    EXPECT_EQ(manager.current().name, pasted);
    EXPECT_FLOAT_EQ(manager.current().values[kTime], 0.9f);
    EXPECT_FALSE(manager.modified());
}

TEST_F(UndoTest, SwitchingAndCopyingSetupsRecordNothing)
{
    manager.switchSetup(1.0);
    EXPECT_FALSE(manager.setupAActive());
    edit(kTime, 0.9);
    const uint32_t head = manager.undoRing().head();
    manager.copySetup(); // B over A, with B's modified mark
    EXPECT_FALSE(manager.setupAActive());
    EXPECT_TRUE(sameSlot(manager.setupA(), manager.setupB()));
    EXPECT_EQ(manager.setupA().modified, 1);
    host.calls.clear();
    manager.switchSetup(0.2);
    EXPECT_TRUE(manager.setupAActive());
    EXPECT_NEAR(host.last(kTime), 0.9, 1e-6);
    EXPECT_EQ(manager.undoRing().head(), head);
}

TEST_F(UndoTest, EachSetupKeepsItsOwnNumberAndTheArrowsStepFromIt)
{
    manager.selectPreset(0);
    manager.switchSetup(1.0);
    manager.nextPreset(); // B: entry 1
    ASSERT_EQ(manager.index(), 1);
    manager.switchSetup(0.0);
    EXPECT_EQ(manager.displayText().number, "00: ");
    EXPECT_EQ(std::string(manager.current().name), manager.entryName(0, 0, 0));
    manager.nextPreset(); // from A's own place, not from B's
    EXPECT_EQ(manager.index(), 1);
    manager.switchSetup(1.0);
    EXPECT_EQ(manager.displayText().number, "01: ");
    // A copy takes the place with the records.
    manager.nextPreset();
    manager.copySetup();
    manager.switchSetup(0.0);
    EXPECT_EQ(manager.index(), 2);
    EXPECT_EQ(std::string(manager.current().name), manager.entryName(0, 0, 2));
}

TEST_F(UndoTest, UndoAndRedoAnnounceARefreshOnceTheMarkFollowsTheValues)
{
    host.echo = true;
    edit(kTime, 0.9);
    ASSERT_TRUE(manager.modified());
    host.calls.clear();
    manager.undo();
    EXPECT_FALSE(manager.modified());
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls.back().first, kRefreshPresetDisplays);
    host.calls.clear();
    manager.redo();
    EXPECT_TRUE(manager.modified());
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls.back().first, kRefreshPresetDisplays);
}

TEST_F(UndoTest, ARestoredPlaceIsKeptFoundAgainByNameOrDropped)
{
    QorSetupSlot a = manager.setupA(), b = manager.setupB();
    a.current = a.reference = manager.factoryRecord(7);
    a.kind = 0;
    a.column = 0;
    a.index = 7; // where factory preset 7 really is
    b.current = b.reference = manager.factoryRecord(3);
    b.kind = 0;
    b.column = 0;
    b.index = 12; // stale: the list moved on since the session was saved
    manager.restoreSetups(a, b, true);
    EXPECT_EQ(manager.setupA().index, 7);
    EXPECT_EQ(manager.setupB().index, 3);
    std::strncpy(b.reference.name, "Gone since", sizeof b.reference.name);
    b.current = b.reference;
    manager.restoreSetups(a, b, false);
    EXPECT_EQ(manager.displayText().number, "CP:");
}

TEST_F(UndoTest, AHostChunkRestoreLeavesBothSetupsWithoutAPlace)
{
    manager.switchSetup(1.0);
    manager.selectPreset(4);
    const std::vector<uint8_t> body = manager.serializeBank();
    ASSERT_TRUE(manager.restoreBank(body.data(), body.size()));
    EXPECT_EQ(manager.displayText().number, "CP:");
    manager.switchSetup(1.0);
    EXPECT_EQ(manager.displayText().number, "CP:");
}
} // namespace

// The preset bar's strip over a real preset manager: its menus' toggles, the zoom by wheel,
// pop-up and corner grip, A/B, nudges, undo, copy and paste, and saving.
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"
#include "QORLIB/gui/presetbar/PresetBarSaveField.h"
#include "QORLIB/gui/presetbar/PresetBarScaleCornerControl.h"
#include "QORLIB/gui/presetbar/PresetBarScaleOptionMenuHandler.h"
#include "QORLIB/gui/presetbar/PresetBarTextFit.h"
#include "QORLIB/gui/presetbar/PresetBarPresetMenu.h"
#include "QORLIB/gui/presetbar/QorPresetMenuBottomTextInfo.h"
#include "QORLIB/gui/presetbar/QorCustomizableOptionMenu.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "tests/QORLIB/gui/presetbar/StripHarness.h"
#include "tests/QORLIB/platform/ChildWait.h"
#include "tests/QORLIB/platform/FakeTool.h"
#include "tests/QORLIB/platform/ScopedEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace
{
std::vector<int32_t> announcements(const StripEngine& e)
{
    std::vector<int32_t> out;
    for (const auto& s : e.sent)
        if (s.first >= 89 && s.first <= 94)
            out.push_back(s.first);
    return out;
}
} // namespace

TEST(Strip, TheNameTogglesThePresetMenuAndClosesTheConfigurationMenuFirst)
{
    StripHarness h;
    h.click(385, 13); // the configuration button at the right end
    EXPECT_TRUE(h.engine.isConfigMenuShown());
    h.click(200, 13); // the name
    EXPECT_FALSE(h.engine.isConfigMenuShown());
    EXPECT_TRUE(h.engine.isPresetMenuShown());
    EXPECT_EQ(announcements(h.engine), (std::vector<int32_t>{91, 94, 92, 89}));
    // The menu opens inside the panel's size: the host's window keeps its size.
    EXPECT_EQ(h.engine.getEditorRect().width(), 400);
    EXPECT_EQ(h.engine.getEditorRect().height(), 327);
    const QorRect overlay = h.engine.presetMenuOverlay()->getRect();
    EXPECT_EQ(overlay.top, 52);
    EXPECT_EQ(overlay.right, 400);
    EXPECT_EQ(overlay.bottom, 327);
    h.click(200, 13);
    EXPECT_FALSE(h.engine.isPresetMenuShown());
    EXPECT_EQ(announcements(h.engine).back(), 90);
    EXPECT_EQ(h.engine.getEditorRect().width(), 400);
    EXPECT_EQ(h.engine.getEditorRect().height(), 327);
}

TEST(Strip, TheEmptyPartsCloseWhicheverMenuIsOpen)
{
    StripHarness h;
    h.click(200, 13);
    ASSERT_TRUE(h.engine.isPresetMenuShown());
    h.click(368.5, 13); // top empty area (367 .. W-30)
    EXPECT_FALSE(h.engine.isPresetMenuShown());
    h.click(385, 13);
    ASSERT_TRUE(h.engine.isConfigMenuShown());
    h.click(385, 40); // lower empty area
    EXPECT_FALSE(h.engine.isConfigMenuShown());
    // With no menu open an empty click changes nothing.
    h.click(385, 40);
    EXPECT_FALSE(h.engine.isConfigMenuShown());
    EXPECT_FALSE(h.engine.isPresetMenuShown());
}

TEST(Strip, WheelAndDoubleClickOnThePercentage)
{
    StripHarness h;
    h.frame().wheel(h.at(30, 13), 1.0f, qortk::kShift);
    EXPECT_NEAR(h.zoom(), 1.01, 1e-9);
    h.frame().wheel(h.at(30, 13), 1.0f, qortk::kShift);
    EXPECT_NEAR(h.zoom(), 1.02, 1e-9);
    EXPECT_EQ(h.engine.zoomControl()->label(), "102%");
    h.frame().wheel(h.at(30, 13), -1.0f, 0);
    EXPECT_NEAR(h.zoom(), 0.97, 1e-9);
    EXPECT_EQ(h.presets().zoomPercent(), 97);
    for (int i = 0; i < 10; ++i)
        h.frame().wheel(h.at(30, 13), -1.0f, 0);
    EXPECT_NEAR(h.zoom(), 0.7, 1e-9);
    h.click(30, 13, qortk::kLButton | qortk::kDoubleClick);
    EXPECT_DOUBLE_EQ(h.zoom(), 1.0);
    EXPECT_EQ(h.engine.zoomControl()->label(), "100%");
    EXPECT_EQ(h.frame().deviceWidth(), 400);
    EXPECT_FALSE(h.engine.zoomControl()->popupHandler()->isPopupOpen());
}

TEST(Strip, TheZoomPopUpOffersItsStepsAndClosesOnAClickBesideIt)
{
    StripHarness h;
    h.click(30, 13);
    auto* handler = h.engine.zoomControl()->popupHandler();
    ASSERT_TRUE(handler->isPopupOpen());
    const auto& items = handler->popup()->items();
    std::vector<std::string> texts;
    std::vector<int32_t> tags;
    for (const auto& item : items)
    {
        texts.push_back(item.text);
        tags.push_back(item.tag);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"70%", "85%", "100%", "125%", "150%", "175%", "200%", "250%",
                                               "Increase 5%", "Decrease 5%", "Close"}));
    EXPECT_EQ(tags, (std::vector<int32_t>{70, 85, 100, 125, 150, 175, 200, 250, 11, 12, 0}));
    const QorRect r = items[4].rect;
    h.click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_FALSE(handler->isPopupOpen());
    EXPECT_DOUBLE_EQ(h.zoom(), 1.5);
    EXPECT_EQ(h.frame().deviceWidth(), 600);
    // "Increase 5%" from 150 %.
    h.click(30, 13);
    const QorRect inc = handler->popup()->items()[8].rect;
    h.click((inc.left + inc.right) / 2, (inc.top + inc.bottom) / 2);
    EXPECT_NEAR(h.zoom(), 1.55, 1e-9);
    // Beside the list: closed, nothing chosen.
    h.click(30, 13);
    ASSERT_TRUE(handler->isPopupOpen());
    h.click(380, 200);
    EXPECT_FALSE(handler->isPopupOpen());
    EXPECT_NEAR(h.zoom(), 1.55, 1e-9);
}

TEST(Strip, DraggingTheCornerGripZoomsWithEasingUpTo400Percent)
{
    StripHarness h;
    h.pointer(390, 320); // inside the 20 × 20 corner of the 400 × 275 panel below the strip
    h.engine.idle();
    EXPECT_TRUE(h.engine.isCornerShown());
    h.frame().mouseDown(h.at(390, 320), qortk::kLButton);
    ASSERT_TRUE(h.engine.isCornerDragging());
    // 1.5 times as far on both axes: eased to 1 + 0.5 × 1.02, followed by the idle too.
    h.backend().setPointer({585, 480}, qortk::kLButton);
    h.engine.idle();
    EXPECT_NEAR(h.zoom(), 1.51, 1e-9);
    EXPECT_EQ(h.engine.zoomControl()->label(), "151%");
    // Far beyond the window: held at 400 %.
    h.backend().setPointer({5000, 5000}, qortk::kLButton);
    h.engine.idle();
    EXPECT_DOUBLE_EQ(h.zoom(), 4.0);
    EXPECT_EQ(h.frame().deviceWidth(), 1600);
    // Back towards the start shrinks it again (eased by 0.9 below 1).
    h.backend().setPointer({351, 288}, qortk::kLButton);
    h.engine.idle();
    EXPECT_NEAR(h.zoom(), 1.0 - 0.1 * 0.9, 1e-9);
    h.backend().setPointer({351, 288}, 0);
    h.engine.idle();
    EXPECT_FALSE(h.engine.isCornerDragging());
    h.frame().mouseUp({351, 288}, 0);
    // Not offered while a menu is open.
    h.click(200, 13);
    h.pointer(410, 460);
    h.engine.idle();
    EXPECT_FALSE(h.engine.isCornerShown());
}

TEST(Strip, ABTwiceReturnsToAAndTheCopyDirectionFollows)
{
    StripHarness h;
    EXPECT_TRUE(h.presets().setupAActive());
    h.click(216, 39);
    EXPECT_FALSE(h.presets().setupAActive());
    EXPECT_FALSE(h.engine.nameControl() == nullptr);
    h.click(216, 39);
    EXPECT_TRUE(h.presets().setupAActive());
}

TEST(Strip, NudgesStepThroughTheColumnAndStopAtBothEnds)
{
    StripHarness h;
    QorPresetManager& m = h.presets();
    const int32_t count = int32_t(m.entryCount(m.kind(), m.column()));
    ASSERT_GT(count, 2);
    h.click(80, 13); // left arrow at the first preset
    EXPECT_EQ(m.index(), 0);
    h.click(100, 13);
    EXPECT_EQ(m.index(), 1);
    EXPECT_EQ(h.engine.nameControl()->name(), m.entryName(m.kind(), m.column(), 1));
    EXPECT_EQ(h.engine.nameControl()->number(), "01: ");
    m.selectPreset(count - 1);
    h.click(100, 13);
    EXPECT_EQ(m.index(), count - 1);
    h.click(66, 13); // beside the arrows: the last direction again
    EXPECT_EQ(m.index(), count - 1);
    h.click(80, 13);
    EXPECT_EQ(m.index(), count - 2);
}

TEST(Strip, AKnobEditMarksTheNameModifiedAndUndoRedoWalkIt)
{
    StripHarness h;
    QorAnimKnob* time = h.editor().getKnob(4);
    const double before = time->getValue();
    h.frame().wheel({85, 252}, 1.0f, 0); // the Time knob
    EXPECT_NEAR(time->getValue(), before + 0.1, 1e-9);
    EXPECT_TRUE(h.engine.nameControl()->isModified());
    EXPECT_EQ(h.engine.nameControl()->name(), "Default *");
    h.click(330, 39); // undo
    EXPECT_NEAR(time->getValue(), before, 1e-6);
    EXPECT_FALSE(h.presets().modified());
    h.click(350, 39); // redo
    EXPECT_NEAR(time->getValue(), before + 0.1, 1e-6);
}

TEST(Strip, SavingThroughTheDialogWritesTheFileAndTheUserDirectoryShowsIt)
{
    StripHarness h;
    const std::string folder = h.presets().userFolder();
    ASSERT_FALSE(folder.empty());
    QorSaveDialog::setHandler([&](const QorSaveDialog::Request& r, std::string& path) {
        EXPECT_EQ(r.folder, folder);
        EXPECT_EQ(r.extension, "qor");
        path = folder + "/My Kick.qor";
        return true;
    });
    h.click(30, 39);
    QorSaveDialog::setHandler({});
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/My Kick.qor"));
    QorPresetManager& m = h.presets();
    bool listed = false;
    for (uint32_t i = 0; i < m.entryCount(kQorUserDirectory, 0); ++i)
        listed |= m.entryName(kQorUserDirectory, 0, int32_t(i)) == "My Kick";
    EXPECT_TRUE(listed);
}

TEST(Strip, TheSaveDialogLeavesTheEditorRunningAndTheFileIsWrittenWhenTheUserAnswers)
{
    qortest::FakeTools tools;
    StripHarness h;
    const std::string folder = h.presets().userFolder();
    tools.addGated("zenity", "echo '" + folder + "/Later.qor'");
    qortest::ScopedEnv path("PATH", tools.path());
    qortest::ScopedEnv display("DISPLAY", ":97");
    h.click(30, 39);
    EXPECT_FALSE(tools.passedGate("zenity")) << "Save came back before the dialog did";
    EXPECT_TRUE(h.presets().isSaveDialogOpen());
    h.click(30, 39); // a second Save while the dialog is up asks nothing more
    EXPECT_EQ(QorProcessRunner::pending(), 1u);
    h.engine.idle();
    EXPECT_FALSE(std::filesystem::exists(folder + "/Later.qor"));

    tools.release("zenity");
    ASSERT_TRUE(qortest::pollUntil([&] { return !h.presets().isSaveDialogOpen(); }));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/Later.qor"));
    bool listed = false;
    for (uint32_t i = 0; i < h.presets().entryCount(kQorUserDirectory, 0); ++i)
        listed |= h.presets().entryName(kQorUserDirectory, 0, int32_t(i)) == "Later";
    EXPECT_TRUE(listed);
}

TEST(Strip, ClosingTheEditorClosesItsSaveDialogUnanswered)
{
    qortest::FakeTools tools;
    auto h = std::make_unique<StripHarness>();
    const std::string folder = h->presets().userFolder();
    tools.addGated("zenity", "echo '" + folder + "/Never.qor'");
    qortest::ScopedEnv path("PATH", tools.path());
    qortest::ScopedEnv display("DISPLAY", ":97");
    h->click(30, 39);
    ASSERT_TRUE(h->presets().isSaveDialogOpen());
    h->engine.close();
    EXPECT_FALSE(h->presets().isSaveDialogOpen()) << "the next editor can save again";
    tools.release("zenity");
    ASSERT_TRUE(qortest::pollUntilReaped());
    EXPECT_FALSE(tools.passedGate("zenity")) << "the dialog was closed, not left to answer";
    EXPECT_FALSE(std::filesystem::exists(folder + "/Never.qor"));
    h.reset();
}

TEST(Strip, WithoutADesktopDialogTheNameIsTypedInsideTheEditor)
{
    if (QorSaveDialog::available())
        GTEST_SKIP() << "a desktop save dialog is installed here";
    StripHarness h;
    h.click(30, 39);
    auto* field = h.engine.saveField();
    ASSERT_NE(field, nullptr);
    EXPECT_TRUE(field->isTextEditing());
    EXPECT_EQ(field->text(), "Default");
    qortk::KeyEvent key;
    key.text = "2";
    h.frame().keyDown(key);
    qortk::KeyEvent enter;
    enter.key = qortk::KeyEvent::kReturn;
    h.frame().keyDown(enter);
    EXPECT_EQ(h.engine.saveField(), nullptr);
    EXPECT_TRUE(std::filesystem::is_regular_file(h.presets().userFolder() + "/Default2.qor"));
    // Escape cancels and writes nothing.
    auto files = [&] {
        return std::distance(std::filesystem::directory_iterator(h.presets().userFolder()),
                             std::filesystem::directory_iterator{});
    };
    const auto before = files();
    h.click(30, 39);
    ASSERT_NE(h.engine.saveField(), nullptr);
    qortk::KeyEvent escape;
    escape.key = qortk::KeyEvent::kEscape;
    h.frame().keyDown(escape);
    EXPECT_EQ(h.engine.saveField(), nullptr);
    EXPECT_EQ(files(), before);
}

TEST(Strip, CopyInOneEditorAndPasteInAnother)
{
    StripHarness a;
    StripHarness b;
    a.presets().selectPreset(5);
    const std::string name = a.presets().current().name;
    const QorPresetRecord record = a.presets().current();
    a.click(92, 39); // Copy
    b.click(154, 39); // Paste
    for (int i = 0; i < 12; ++i)
        EXPECT_FLOAT_EQ(b.presets().current().values[i], record.values[i]) << i;
    EXPECT_EQ(b.engine.nameControl()->number(), "CP:");
    EXPECT_EQ(b.engine.nameControl()->name(), std::string(b.presets().current().name));
    // The pasted values reached b's panel.
    EXPECT_NEAR(b.editor().getKnob(4)->getValue(), record.values[4], 1e-6);
}

TEST(Strip, HintsOfTheStripControls)
{
    StripHarness h;
    EXPECT_STREQ(h.engine.stripControl(36)->getHint(), "Click to save current setup as a *.qor preset file");
    EXPECT_STREQ(h.engine.stripControl(63)->getHint(), "Click to open configuration menu");
    EXPECT_STREQ(h.engine.stripControl(82)->getHint(), "Click to switch between A and B setups");
    EXPECT_STREQ(h.engine.cornerGrip()->getHint(), "Drag to change the GUIs zoom factor");
    EXPECT_STREQ(h.engine.stripControl(60)->getHint(),
                 "Scroll this percentage up or down to change the GUIs zoom factor. Double click to reset its state "
                 "to the default size (100%)");
}

TEST(Strip, ColoursOfTheStrip)
{
    StripHarness h;
    EXPECT_EQ(h.pixel(369, 5), 0x1e1e1effu);  // the strip's background beside the controls
    EXPECT_EQ(h.pixel(300, 13), 0xdfdfdfffu);  // the name field
    EXPECT_EQ(h.pixel(20, 30), 0x2c2c2fffu);   // a button's face
}

TEST(FitText, LongNamesAreCutInTheMiddleByTheWidthTable)
{
    // Tail "RSTUVWXYZ" is 90 pixels wide.
    EXPECT_EQ(PresetBarTextFit::fitText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 200), "ABCDEFGHI...RSTUVWXYZ");
    EXPECT_EQ(PresetBarTextFit::fitText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 100), "ARSTUVWXYZ");
    EXPECT_EQ(PresetBarTextFit::fitText("Default", 200), "Default"); // 7 × 14 ≤ 200
    EXPECT_EQ(PresetBarTextFit::fitText("iiiiiiiiiiiiiiiiiiiiiiiiiiii", 100), "iiiiiiiiiiiiiiiiiiiiiiiiiiii");
    EXPECT_EQ(PresetBarTextFit::charWidth('W'), 14);
    EXPECT_EQ(PresetBarTextFit::charWidth('@'), 15);
    EXPECT_EQ(PresetBarTextFit::charWidth('~'), 7);
}

TEST(Strip, ThePressedMarkGoesAfterThirtyIdleTicks)
{
    StripHarness h;
    auto* copy = static_cast<PresetBarBasicControl*>(h.engine.stripControl(49));
    h.frame().mouseDown(h.at(92, 39), qortk::kLButton); // pressed, never released over it
    EXPECT_TRUE(copy->isPressed());
    for (int i = 0; i < 29; ++i)
        h.engine.idle();
    EXPECT_TRUE(copy->isPressed());
    h.engine.idle();
    EXPECT_FALSE(copy->isPressed());
}

TEST(Strip, AZoomSetByTheHostShowsAtOnce)
{
    StripHarness h;
    h.engine.setZoom(1.5); // no idle tick between: a screenshot right after must read 150 %
    EXPECT_EQ(h.engine.zoomControl()->label(), "150%");
    EXPECT_EQ(h.frame().deviceWidth(), 600);
}

TEST(Strip, EachSetupShowsItsOwnNumberAndTheArrowsStepFromIt)
{
    StripHarness h;
    const QorPresetManager& m = h.presets();
    const std::string first = m.entryName(0, 0, 0), second = m.entryName(0, 0, 1);
    h.click(216, 39); // B
    h.click(100, 13); // the right arrow: B takes the second preset
    EXPECT_EQ(h.name(), "01: " + second);
    h.click(216, 39); // back to A, still on the first preset
    EXPECT_EQ(h.name(), "00: " + first);
    h.click(100, 13);
    EXPECT_EQ(h.name(), "01: " + second);
    h.click(80, 13);
    EXPECT_EQ(h.name(), "00: " + first);
}

TEST(Strip, TheModifiedMarkFollowsUndoAndRedoInTheNameAsInTheManager)
{
    StripHarness h;
    h.frame().wheel({85, 252}, 1.0f, 0); // the Time knob
    ASSERT_EQ(h.engine.nameControl()->name(), "Default *");
    h.click(330, 39); // undo, back to the loaded values
    EXPECT_FALSE(h.presets().modified());
    EXPECT_EQ(h.engine.nameControl()->name(), "Default");
    EXPECT_FALSE(h.engine.nameControl()->isModified());
    h.click(350, 39); // redo
    EXPECT_TRUE(h.presets().modified());
    EXPECT_EQ(h.engine.nameControl()->name(), "Default *");
    EXPECT_EQ(h.engine.nameControl()->name(), h.presets().displayText().name);
}

TEST(Strip, ADoubleClickOnThePercentageResetsEvenThoughItsFirstPressOpenedThePopUp)
{
    StripHarness h;
    h.frame().wheel(h.at(30, 13), 1.0f, 0);
    ASSERT_NEAR(h.zoom(), 1.05, 1e-9);
    auto* handler = h.engine.zoomControl()->popupHandler();
    h.click(30, 13); // the first press opens the pop-up over the percentage
    ASSERT_TRUE(handler->isPopupOpen());
    // The second press of the double click lands on the pop-up.
    h.click(30, 13, qortk::kLButton | qortk::kDoubleClick);
    EXPECT_FALSE(handler->isPopupOpen());
    EXPECT_DOUBLE_EQ(h.zoom(), 1.0);
    EXPECT_EQ(h.engine.zoomControl()->label(), "100%");
}

TEST(Strip, TheZoomPopUpMarksTheCurrentStepOrNone)
{
    StripHarness h;
    auto* handler = h.engine.zoomControl()->popupHandler();
    h.click(30, 13);
    ASSERT_TRUE(handler->isPopupOpen());
    EXPECT_EQ(handler->popup()->current(), 2); // 100 %
    const QorRect r = handler->popup()->items()[5].rect; // 175 %
    h.click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_DOUBLE_EQ(h.zoom(), 1.75);
    h.click(30, 13);
    EXPECT_EQ(handler->popup()->current(), 5);
    h.click(380, 200); // closed without a choice
    h.frame().wheel(h.at(30, 13), 1.0f, qortk::kShift); // 176 %: between the steps
    h.click(30, 13);
    EXPECT_EQ(handler->popup()->current(), -1);
}

TEST(Strip, TheCornerGripZoomsFromThePressOnWithoutWaitingForTheIdle)
{
    StripHarness h;
    h.pointer(390, 320);
    h.engine.idle(); // the grip shows under the pointer
    ASSERT_TRUE(h.engine.isCornerShown());
    // Press and move at once, no idle tick between: 1.5 times as far, eased to 1.51.
    h.frame().mouseDown({390, 320}, qortk::kLButton);
    h.frame().mouseMoved({585, 480}, qortk::kLButton);
    EXPECT_NEAR(h.zoom(), 1.51, 1e-9);
    // The grip moved with the corner; the drag goes on from there.
    h.frame().mouseMoved({780, 640}, qortk::kLButton);
    EXPECT_NEAR(h.zoom(), 1.0 + 1.0 * 1.02, 1e-9);
    h.frame().mouseUp({780, 640}, 0);
    EXPECT_FALSE(h.engine.isCornerDragging());
    const double after = h.zoom();
    h.frame().mouseMoved({300, 300}, 0);
    EXPECT_DOUBLE_EQ(h.zoom(), after) << "no drag after the release";
}

TEST(Strip, TheCornerGripLeavesThePanelsCornerScrewUncovered)
{
    StripHarness h;
    // The grip's 20 × 20 points at 100 %, before and after it shows.
    const auto area = [&] {
        std::vector<uint32_t> out;
        for (int y = 307; y < 327; ++y)
            for (int x = 380; x < 400; ++x)
                out.push_back(h.pixel(x, y));
        return out;
    };
    const std::vector<uint32_t> before = area();
    h.pointer(390, 320);
    h.engine.idle();
    ASSERT_TRUE(h.engine.isCornerShown());
    const std::vector<uint32_t> after = area();
    int onScrew = 0, ridges = 0;
    for (int y = 307; y < 327; ++y)
        for (int x = 380; x < 400; ++x)
        {
            const std::size_t i = std::size_t((y - 307) * 20 + (x - 380));
            bool changed = false;
            for (int shift : {24, 16, 8})
                changed |= std::abs(int((after[i] >> shift) & 0xff) - int((before[i] >> shift) & 0xff)) > 3;
            // The screw: centre 9 points in from the panel's lower right corner, radius 3.6.
            const double dx = x + 0.5 - 391.0, dy = y + 0.5 - 318.0;
            if (changed && dx * dx + dy * dy <= 3.6 * 3.6)
                ++onScrew;
            else if (changed)
                ++ridges;
        }
    EXPECT_EQ(onScrew, 0);
    EXPECT_GT(ridges, 5) << "the grip still shows its ridges";
}

TEST(Strip, TheNamesHintStaysAwayWhileTheMenuItOpensIsShown)
{
    QorGlobalSettings::hintsFlag() = 1;
    StripHarness h;
    h.backend().setActive(true);
    h.click(200, 13);
    ASSERT_TRUE(h.engine.isPresetMenuShown());
    h.pointer(200, 13); // resting on the name, over the open menu's tabs
    for (int i = 0; i < 60; ++i)
        h.engine.idle();
    EXPECT_FALSE(h.frame().tooltip().isShown() && !h.frame().tooltip().text().empty())
        << h.frame().tooltip().text();
    // Closed again: the hint is back.
    h.click(200, 13);
    h.pointer(205, 13); // a move starts the count again
    for (int i = 0; i < 60; ++i)
        h.engine.idle();
    EXPECT_TRUE(h.frame().tooltip().isShown());
    EXPECT_EQ(h.frame().tooltip().text().rfind("Click to see the pop-up menu", 0), 0u);
}

TEST(Strip, NoHintWhileThePointerIsJustOutsideTheWindowAtALargeZoom)
{
    QorGlobalSettings::hintsFlag() = 1;
    StripHarness h;
    h.engine.setZoom(4.0);
    h.backend().setActive(true);
    // Just above the window, where the zoom percentage's rectangle (top -1) still reaches four
    // pixels at 400 %; and just right of it, where the configuration button's (W + 1) does.
    for (const qortk::Point outside : {qortk::Point{20, -2}, qortk::Point{1602, 20}})
    {
        h.backend().setPointer(outside, 0);
        for (int i = 0; i < 60; ++i)
            h.engine.idle();
        EXPECT_FALSE(h.frame().tooltip().isShown() && !h.frame().tooltip().text().empty())
            << outside.x << ", " << outside.y << ": " << h.frame().tooltip().text();
    }
    // Inside, the same control's hint shows.
    h.backend().setPointer({20, 20}, 0);
    for (int i = 0; i < 60; ++i)
        h.engine.idle();
    EXPECT_TRUE(h.frame().tooltip().isShown());
    EXPECT_EQ(h.frame().tooltip().text().rfind("Scroll this percentage", 0), 0u);
}

TEST(Strip, TheOpenPresetMenuFitsA1080PixelScreenAtEveryZoomAndTheWindowKeepsItsSize)
{
    StripHarness h;
    for (const double zoom : {0.7, 1.0, 2.5, 3.3, 4.0})
    {
        h.engine.setZoom(zoom);
        const int width = h.frame().deviceWidth(), height = h.frame().deviceHeight();
        h.click(200, 13);
        ASSERT_TRUE(h.engine.isPresetMenuShown()) << zoom;
        EXPECT_EQ(h.frame().deviceWidth(), width) << zoom;
        EXPECT_EQ(h.frame().deviceHeight(), height) << zoom;
        const QorRect overlay = h.engine.presetMenuOverlay()->getRect();
        EXPECT_LE(overlay.bottom * zoom, 1080.0) << zoom;
        EXPECT_LE(overlay.right * zoom, 1920.0) << zoom;
        // The whole panel below the strip where it fits: 275 points up to 330 %.
        if (327 * zoom <= 1080)
        {
            EXPECT_EQ(overlay.bottom, 327) << zoom;
        }
        // The bottom line sits at the overlay's bottom, on the screen.
        const QorRect bottom = h.engine.presetMenu()->bottomLine()->getRect();
        EXPECT_DOUBLE_EQ(bottom.bottom, overlay.height() + 1) << zoom;
        h.click(200, 13);
        EXPECT_FALSE(h.engine.isPresetMenuShown());
    }
}

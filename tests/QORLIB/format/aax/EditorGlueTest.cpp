// The GUI object and the editor wrapper in an offscreen view container: which container types
// get an editor, the meter path, host values, edits going to the host or the processor side,
// the group counting, the size reported to the host and the clicks offered to the host.
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXSharedBlock.h"
#include "QORLIB/format/aax/host/AaxPlaybackLoop.h"
#include "QORLIB/gui/QorAnimKnob.h"
#include "vellaCor/editor/CInfo.h"
#include "vellaCor/editor/CVelVuMeter2.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/presetbar/PresetBarConfigMenu.h"
#include "QORLIB/gui/presetbar/QorConfigPluginInfoText.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/gui/presetbar/PresetBarScaleMenuButton.h"
#include "tests/QORLIB/format/aax/EditorGlueFixture.h"
#include "tests/QORLIB/format/aax/ProbeProcessor.h"
#include "tests/support/AllocationCounter.h"
#include "vellaCor/vellaCorParameters.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace aaxtest;

namespace
{
class RecordingLink : public Qor_AAX_EditorLink
{
public:
    void forwardParameter(int32_t index, double value) override { seen.emplace_back(index, value); }
    void* getFrame() override { return nullptr; }
    std::vector<std::pair<int32_t, double>> seen;
};
} // namespace

TEST_F(EditorGlue, OnlyWindowAndViewContainersGetAnEditor)
{
    AAX_Point size;
    ASSERT_EQ(gui->GetViewSize(&size), AAX_SUCCESS);
    EXPECT_EQ(size.horz, 400.0f) << "nothing shown yet: the size the editor will open with";
    EXPECT_EQ(size.vert, 327.0f);

    for (int32_t type : {int32_t(AAX_eViewContainer_Type_UIView), int32_t(AAX_eViewContainer_Type_NULL), 7})
    {
        show(type);
        EXPECT_EQ(editor().frame(), nullptr) << "type " << type;
        EXPECT_EQ(bridge->editor, nullptr) << "type " << type;
        instance->setViewContainer(nullptr);
    }
    for (int32_t type : {int32_t(AAX_eViewContainer_Type_HWND), int32_t(AAX_eViewContainer_Type_NSView)})
    {
        show(type);
        EXPECT_NE(editor().frame(), nullptr) << "type " << type;
        EXPECT_EQ(bridge->editor, static_cast<Qor_AAX_EditorLink*>(&editor()));
        EXPECT_EQ(editor().getManager(), bridge->getPresetManager()) << "the preset bar works on the bridge's manager";
        instance->setViewContainer(nullptr);
        EXPECT_EQ(editor().frame(), nullptr);
        EXPECT_EQ(bridge->editor, static_cast<Qor_AAX_EditorLink*>(&editor())) << "the link outlives the view";
    }
}

TEST_F(EditorGlue, TheAboutBoxAndTheVersionLineNameAax)
{
    show();
    EXPECT_EQ(panel().getAbout()->getCredit(), "AAX Native by Avid Technology");
    EXPECT_EQ(editor().configMenu()->versionText()->line(), "v.2.2.2.0 (sh.7.2.0) build:01111303aax.x64");
}

TEST_F(EditorGlue, ViewSizeFollowsTheFrameAndResizesReachTheHost)
{
    show();
    AAX_Point size;
    gui->GetViewSize(&size);
    EXPECT_EQ(size.horz, 400.0f); // 400 × 275 points and the 52-point strip at 100 %
    EXPECT_EQ(size.vert, 327.0f);

    ASSERT_TRUE(editor().setZoom(1.5));
    gui->GetViewSize(&size);
    EXPECT_EQ(size.horz, 600.0f);
    EXPECT_EQ(size.vert, 490.0f); // trunc(327 × 1.5)
    ASSERT_FALSE(container->sizes.empty());
    EXPECT_EQ(container->sizes.back().horz, 600.0f);
    EXPECT_EQ(container->sizes.back().vert, 490.0f);

    // The preset menu opens inside the editor's size: the host is asked for no new size.
    const std::size_t before = container->sizes.size();
    editor().forwardParameter(kPresetMenuOpened, 1.0);
    EXPECT_EQ(container->sizes.size(), before);
    const double* r = editor().viewRect();
    EXPECT_EQ(r[2] - r[0], 600.0);
    editor().forwardParameter(kPresetMenuClosed, 1.0);
    EXPECT_EQ(container->sizes.size(), before);
}

TEST_F(EditorGlue, AnEditorClosedWithThePresetMenuOpenReopensAtThePanelsSize)
{
    show();
    // The user's zoom, as the percentage's pop-up sets it: the editor reopens at it.
    const int32_t userZoom = QorGlobalSettings::zoomPercent();
    editor().zoomControl()->setZoomFactor(1.5);
    editor().QorPresetBarEditor::valueChanged(QorPresetBarEditor::kZoomTag, 0.0);
    ASSERT_EQ(editor().getZoomFactor(), 1.5);
    editor().QorPresetBarEditor::valueChanged(QorPresetBarEditor::kNameTag, 1.0); // the name field
    ASSERT_TRUE(editor().isPresetMenuShown());
    instance->setViewContainer(nullptr); // closed with the menu open
    AAX_Point size;
    ASSERT_EQ(gui->GetViewSize(&size), AAX_SUCCESS);
    EXPECT_EQ(size.horz, 600.0f);
    EXPECT_EQ(size.vert, 490.0f);
    show();
    EXPECT_FALSE(editor().isPresetMenuShown());
    ASSERT_EQ(gui->GetViewSize(&size), AAX_SUCCESS);
    EXPECT_EQ(size.horz, 600.0f);
    EXPECT_EQ(size.vert, 490.0f);
    for (const auto& asked : container->sizes) // what the new view asked its host for
    {
        EXPECT_EQ(asked.horz, 600.0f);
        EXPECT_EQ(asked.vert, 490.0f);
    }
    QorGlobalSettings::zoomPercent() = userZoom;
}

TEST_F(EditorGlue, CustomMeterShowsWithoutItsOffsetAndTheNoValueMarkerChangesNothing)
{
    ProbeProcessor& probe = installProbe(*instance);
    show();
    probe.hasMeter = true;
    probe.meter = 0.25;
    silentBlock(*instance);
    EXPECT_NEAR(instance->meterValue(AAX_FourCC("mtcA")), 0.35f, 1e-6f);
    ASSERT_EQ(gui->TimerWakeup(), AAX_SUCCESS);
    EXPECT_NEAR(panel().getNeedleGlide().latestReading(), 0.25, 1e-6);

    probe.hasMeter = false;
    silentBlock(*instance);
    EXPECT_NEAR(instance->meterValue(AAX_FourCC("mtcA")), 1.2345679f, 1e-6f);
    gui->TimerWakeup();
    EXPECT_NEAR(panel().getNeedleGlide().latestReading(), 0.25, 1e-6) << "the no-value marker moves nothing";

    probe.hasMeter = true;
    probe.meter = 0.0; // full range down to the offset itself
    silentBlock(*instance);
    gui->TimerWakeup();
    EXPECT_NEAR(panel().getNeedleGlide().latestReading(), 0.0, 1e-6);
}

TEST_F(EditorGlue, HostValuesReachTheControlsWhenShownAndWhenTheHostChangesThem)
{
    ASSERT_EQ(instance->hostEdit(kTime, 0.8, false), AAX_SUCCESS);
    bridge->parameterChanged(72, 1.0); // not a parameter: not re-sent on opening
    show();
    EXPECT_NEAR(panel().getKnob(4)->getValue(), 0.8, 1e-6) << "UpdateAllParameters on opening";
    ASSERT_EQ(instance->hostEdit(kTime, 0.3, false), AAX_SUCCESS);
    EXPECT_NEAR(panel().getKnob(4)->getValue(), 0.3, 1e-6) << "ParameterUpdated";
    EXPECT_EQ(gui->ParameterUpdated("no such id"), AAX_SUCCESS);
    EXPECT_EQ(gui->ParameterUpdated(nullptr), AAX_SUCCESS);
}

TEST_F(EditorGlue, EditorSideValuesWaitingInTheBridgeReachANewView)
{
    bridge->parameterChanged(20, 0.4);
    RecordingLink probe;
    show();
    instance->setViewContainer(nullptr);
    bridge->editor = &probe; // as if it were the editor: opening re-links the real one
    show();
    EXPECT_EQ(bridge->editor, static_cast<Qor_AAX_EditorLink*>(&editor()));
    EXPECT_TRUE(probe.seen.empty());
    EXPECT_EQ(bridge->currentValues[20], 0.4);
}

TEST_F(EditorGlue, AHostParameterEditGoesToTheHostAndComesBackAsItsEcho)
{
    show();
    RecordingLink link;
    bridge->editor = &link;
    const double before = panel().getKnob(4)->getValue();
    editor().sendParameter(4, 0.3);
    EXPECT_EQ(hostCalls(AaxAutomationEvent::kTouch, kTime), 1);
    EXPECT_EQ(hostCalls(AaxAutomationEvent::kSet, kTime), 1);
    EXPECT_EQ(hostCalls(AaxAutomationEvent::kRelease, kTime), 1);
    EXPECT_TRUE(link.seen.empty()) << "not straight to the editor";
    EXPECT_EQ(panel().getKnob(4)->getValue(), before) << "the knob waits for the host";
    EXPECT_FALSE(bridge->pendingDirty);

    instance->idle(); // the host delivers: UpdateParameterNormalizedValue, ParameterUpdated
    EXPECT_NEAR(panel().getKnob(4)->getValue(), 0.3, 1e-6);
    EXPECT_NEAR(instance->parameterValue(kTime), 0.3, 1e-6);
    EXPECT_TRUE(bridge->getPresetManager()->modified()) << "the touched echo is a user edit";
}

TEST_F(EditorGlue, TwoEditsBeforeTheHostAnswersSettleOnTheLaterOne)
{
    show();
    editor().sendParameter(4, 0.3);
    editor().sendParameter(4, 0.6);
    instance->idle();
    EXPECT_FALSE(instance->controller().runaway);
    EXPECT_EQ(eventsOf(*instance, AaxAutomationEvent::kUpdate).size(), 1u) << "only the value the host holds now";
    EXPECT_NEAR(instance->parameterValue(kTime), 0.6, 1e-6);
    EXPECT_NEAR(panel().getKnob(4)->getValue(), 0.6, 1e-6);
}

TEST_F(EditorGlue, AnEditorSideEditGoesToTheEditorAndTowardsTheProcessor)
{
    ProbeProcessor& probe = installProbe(*instance);
    show();
    RecordingLink link;
    bridge->editor = &link;
    editor().sendParameter(20, 0.6);
    ASSERT_EQ(link.seen.size(), 1u);
    EXPECT_EQ(link.seen[0], std::make_pair(20, 0.6));
    EXPECT_EQ(bridge->currentValues[20], 0.6);
    EXPECT_EQ(bridge->pendingValues[20], 0.6);
    EXPECT_TRUE(bridge->pendingDirty);
    EXPECT_TRUE(instance->controller().log.empty()) << "no host call";

    silentBlock(*instance);
    probe.clearCalls();
    instance->idle();
    silentBlock(*instance);
    EXPECT_EQ(probe.callsFor(20), 1);

    // Announcements above the parameters reach the editor but are stored nowhere.
    editor().sendParameter(93, 1.0);
    EXPECT_EQ(link.seen.back(), std::make_pair(93, 1.0));
    EXPECT_EQ(bridge->pendingValues[20], -1.0);
}

TEST_F(EditorGlue, AGroupOfThreeEditsCountsTwoAndItsEchoComesBackBracketed)
{
    show();
    RecordingLink link;
    bridge->editor = &link;
    editor().sendParameter(70, 1.0);
    EXPECT_TRUE(bridge->groupActive);
    EXPECT_TRUE(bridge->groupSuppress);
    editor().sendParameter(2, 0.5);
    editor().sendParameter(3, 0.4);
    editor().sendParameter(4, 0.2);
    editor().sendParameter(71, 1.0);
    EXPECT_EQ(bridge->groupCount, 2);
    EXPECT_FALSE(bridge->groupActive);
    EXPECT_EQ(bridge->groupEditCount, -1);
    EXPECT_FALSE(bridge->getPresetManager()->modified()) << "suppressed while the group is pending";

    link.seen.clear();
    instance->idle();
    // The three echoes come back as one bracket: 70 before the first, 71 after the last.
    std::vector<int32_t> notes;
    for (const auto& s : link.seen)
        notes.push_back(s.first);
    EXPECT_EQ(notes, (std::vector<int32_t>{70, 71}));
    EXPECT_EQ(bridge->groupCount, 0);
    EXPECT_FALSE(bridge->groupSuppress);
    EXPECT_NEAR(instance->parameterValue(kRatio), 0.5, 1e-6);
}

TEST_F(EditorGlue, WithoutABridgeAnEditGoesNowhere)
{
    Qor_AAX_EditorWrapper loose;
    loose.sendParameter(4, 0.3);
    loose.sendParameter(20, 0.3);
    EXPECT_TRUE(instance->controller().log.empty());
    EXPECT_EQ(loose.parameterMouseDown(4, qortk::kLButton), int32_t(vellaCorParameters::getParameterFlags(4)))
        << "no GUI: the flag word of the index";
}

TEST_F(EditorGlue, ClicksOnHostParametersGoToTheHostWithTheirModifiers)
{
    show();
    uint32_t keys = 0;
    editor().setKeyboardReader([&] { return keys; });
    const uint32_t left = qortk::kLButton;

    EXPECT_EQ(editor().parameterMouseDown(13, left), 2) << "the meter: its flag word, no host call";
    EXPECT_TRUE(container->mouseDowns.empty());
    EXPECT_EQ(editor().parameterMouseDown(20, left), int32_t(vellaCorParameters::getParameterFlags(20)));
    EXPECT_TRUE(container->mouseDowns.empty());

    container->mouseDownResult = 5;
    EXPECT_EQ(editor().parameterMouseDown(4, left | qortk::kControl), 5);
    editor().parameterMouseDown(4, qortk::kRButton);
    editor().parameterMouseDown(4, left | qortk::kShift);
    editor().parameterMouseDown(2, left | qortk::kAlt | qortk::kSystemKey);
    keys = qortk::kControl | qortk::kAlt | qortk::kSystemKey;
    editor().parameterMouseDown(0, left | qortk::kShift);
    keys = qortk::kControl | qortk::kAlt; // two of the three are not enough
    editor().parameterMouseDown(0, left);
    ASSERT_EQ(container->mouseDowns.size(), 6u);
    EXPECT_EQ(container->mouseDowns[0].id, kTime);
    EXPECT_EQ(container->mouseDowns[0].modifiers, 8u);
    EXPECT_EQ(container->mouseDowns[1].modifiers, 16u);
    EXPECT_EQ(container->mouseDowns[2].modifiers, 0u) << "Shift is not passed";
    EXPECT_EQ(container->mouseDowns[3].id, kRatio);
    EXPECT_EQ(container->mouseDowns[3].modifiers, 6u);
    EXPECT_EQ(container->mouseDowns[4].id, kProcess);
    EXPECT_EQ(container->mouseDowns[4].modifiers, 14u);
    EXPECT_EQ(container->mouseDowns[5].modifiers, 0u);
}

TEST_F(EditorGlue, ARealClickOnAKnobIsOfferedToTheHostAndOneOnTheMeterIsNot)
{
    show();
    editor().setKeyboardReader([] { return 0u; });
    Qorwerk::QorFrame& frame = *editor().frame();
    frame.mouseDown({85, 252}, qortk::kLButton | qortk::kControl); // Time knob, Ctrl
    frame.mouseUp({85, 252}, qortk::kLButton);
    ASSERT_EQ(container->mouseDowns.size(), 1u);
    EXPECT_EQ(container->mouseDowns[0].id, kTime);
    EXPECT_EQ(container->mouseDowns[0].modifiers, 8u);
    frame.mouseDown({200, 170}, qortk::kLButton); // the needle's face
    frame.mouseUp({200, 170}, qortk::kLButton);
    EXPECT_EQ(container->mouseDowns.size(), 1u);
}

TEST_F(EditorGlue, TheAllChunkCarriesAnEditMadeInTheEditor)
{
    show();
    editor().sendParameter(4, 0.3);
    instance->idle();
    AaxChunk chunk;
    ASSERT_EQ(instance->saveChunk(kAll, chunk), AAX_SUCCESS);
    ASSERT_GT(chunk.data.size(), 16u);
    EXPECT_EQ(std::vector<uint8_t>(chunk.data.begin(), chunk.data.begin() + 8),
              (std::vector<uint8_t>{0, 0, 0, 2, 'B', 'R', 'X', 'K'}));

    // A session reopened from that chunk has the edit, in the host and in its editor.
    auto other = makeInstance(*host, AAX_eStemFormat_Stereo, true);
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(other->restoreChunk(chunk), AAX_SUCCESS);
    other->idle();
    EXPECT_NEAR(other->parameterValue(kTime), 0.3, 1e-6);
    AaxViewContainer otherView;
    ASSERT_EQ(other->setViewContainer(&otherView), AAX_SUCCESS);
    auto* otherGui = dynamic_cast<Qor_KXRB_2220_Qor_AAXWrapper_GUI*>(other->gui());
    EXPECT_NEAR(static_cast<vellaCorEditor*>(otherGui->editor()->getEditor())->getKnob(4)->getValue(), 0.3, 1e-6);
}

TEST_F(EditorGlue, ClosingAndDestroyingTheGuiLeavesTheBridgeSafe)
{
    show();
    instance->setViewContainer(nullptr);
    ASSERT_EQ(instance->hostEdit(kTime, 0.6, true), AAX_SUCCESS) << "reaches a closed editor";
    bridge->parameterChanged(20, 0.5);
    show();
    EXPECT_NEAR(panel().getKnob(4)->getValue(), 0.6, 1e-6);
    ASSERT_EQ(gui->Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ(bridge->editor, nullptr);
    EXPECT_EQ(editor().frame(), nullptr);
    bridge->parameterChanged(20, 0.7); // nothing to reach any more
    EXPECT_EQ(bridge->currentValues[20], 0.7);
}

TEST_F(EditorGlue, WithTheEditorOpenAndEditsFlowingTheAudioPathAllocatesNothing)
{
    show();
    AaxPlaybackLoop loop(*instance, {drums(4096, 44100.0, 4), drums(4096, 44100.0, 5)}, 44100.0);
    loop.processBlock(); // the host's first meter readings make its table
    for (int round = 0; round < 4; ++round)
    {
        editor().sendParameter(4, 0.1 * round);      // a host parameter: a packet
        editor().sendParameter(20, 0.2 + 0.1 * round); // an editor-side value: the shared block
        instance->idle();
        instance->postPackets();
        gui->TimerWakeup();
        qortest::AllocationScope scope;
        loop.processBlock();
        EXPECT_EQ(scope.allocations(), 0u) << round;
    }
    EXPECT_NEAR(field<QorAAXSharedBlock>(*instance, QorAAXContext::kSharedBlock).slots[4], 0.3f, 1e-6f);
}

TEST_F(EditorGlue, TheHostsTimerAlsoRunsTheEditorsIdleOffscreen)
{
    ProbeProcessor& probe = installProbe(*instance);
    show();
    probe.hasMeter = true;
    probe.meter = 0.4;
    silentBlock(*instance);
    EXPECT_EQ(panel().getMeter()->getValue(), 0.0);
    // The needle glides from its rest towards the reading only on the editor's 33 ms idle.
    for (int i = 0; i < 30; ++i)
    {
        gui->TimerWakeup();
        usleep(10000);
    }
    EXPECT_NEAR(panel().getMeter()->getValue(), 0.4, 1e-6) << "the editor's idle has moved the needle";
}

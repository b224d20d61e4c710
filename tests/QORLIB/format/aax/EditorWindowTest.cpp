// The editor as the host simulator shows it in a real X11 window under a private Xvfb, driven by
// xdotool as a person's mouse would: the mode switch, a knob drag and a preset step from the
// preset bar must reach the host (touch, set, release, the 'All ' chunk) and the processor, and
// each state must be on the screen.
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXSharedBlock.h"
#include "QORLIB/format/aax/host/AaxEditorSession.h"
#include "QORLIB/format/aax/host/AaxPlaybackLoop.h"
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorHorizontalSwitch.h"
#include "QORLIB/gui/presetbar/PresetBarNameControl.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "tests/QORLIB/format/aax/EditorGlueFixture.h"
#include "tests/QORLIB/format/aax/ScreenProbe.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/ChildProcess.h"
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorParameters.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace aaxtest;

namespace
{
constexpr double kStrip = 52.0;

class AaxEditorWindow : public EditorGlue
{
protected:
    void SetUp() override
    {
        if (!server.ok())
            GTEST_SKIP() << "no X server for this test: " << server.reason();
        if (!QorProcessRunner::onPath("xdotool"))
            GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
        EditorGlue::SetUp();
        loop = std::make_unique<AaxPlaybackLoop>(*instance, std::vector<std::vector<float>>{drums(44100, 44100.0, 1),
                                                                                            drums(44100, 44100.0, 2)},
                                                 44100.0);
        session = std::make_unique<AaxEditorSession>(*instance, loop.get());
        std::string error;
        ASSERT_TRUE(session->open(true, "AAX editor test", error)) << error;
        auto* window = dynamic_cast<qortk::X11Window*>(editor().frame()->platform());
        ASSERT_NE(window, nullptr) << "the editor is embedded in the host's window";
        ASSERT_TRUE(window->waitUntilShown(5000));
        pump(20);
    }
    void TearDown() override
    {
        session.reset();
        loop.reset();
        if (instance)
            EditorGlue::TearDown();
    }
    // The host's timer and audio: one block and one GUI tick at a time, on this thread.
    void pump(int ticks)
    {
        for (int i = 0; i < ticks; ++i)
        {
            loop->processBlock();
            session->tick();
            usleep(5000);
        }
    }
    // Runs xdotool on the host's window while the host keeps running.
    bool xdotool(std::vector<std::string> args)
    {
        args.insert(args.begin(), "xdotool");
        const int code = qortest::runPumping(args, [this] { pump(1); });
        pump(20); // the last events, the host's echo and the next blocks
        return code == 0;
    }
    std::string windowId() { return std::to_string(session->window()->id()); }
    Screen shot(const char* name)
    {
        Screen s;
        EXPECT_TRUE(s.grab(*session->window())) << name;
        s.save(name);
        return s;
    }
    float slot(int index) { return field<QorAAXSharedBlock>(*instance, QorAAXContext::kSharedBlock).slots[index]; }
    vellaCorEffect& processor() { return field<vellaCorEffect>(*instance, QorAAXContext::kProcessor); }

    XvfbServer server;
    std::unique_ptr<AaxPlaybackLoop> loop;
    std::unique_ptr<AaxEditorSession> session;
};
} // namespace

TEST_F(AaxEditorWindow, ModeSwitchKnobDragAndPresetStepReachHostProcessorAndScreen)
{
    const Screen start = shot("aax-editor-0-open.png");
    EXPECT_EQ(start.width, 400);
    EXPECT_EQ(start.height, 327);
    EXPECT_GT(start.brightness({0, kStrip, 400, 327}), 20.0) << "the panel is drawn in the host's window";

    // Mode switch, painted "Valve", "Clear", "Off" from left to right: the end away from the
    // current mode.
    const double mode = instance->parameterValue(kProcess);
    const QorRect sw = panel().getModeSwitch()->getRect();
    const double target = mode < 0.75 ? 1.0 : 0.0;
    const double x = target == 1.0 ? sw.left + sw.width() / 6.0 : sw.right - sw.width() / 6.0;
    const double y = (sw.top + sw.bottom) / 2.0 + kStrip;
    ASSERT_TRUE(xdotool({"mousemove", "--sync", "--window", windowId(), std::to_string(int(x)), std::to_string(int(y)),
                         "click", "1"}));
    EXPECT_GE(hostCalls(AaxAutomationEvent::kTouch, kProcess), 1);
    EXPECT_GE(hostCalls(AaxAutomationEvent::kRelease, kProcess), 1);
    EXPECT_DOUBLE_EQ(instance->parameterValue(kProcess), target);
    EXPECT_EQ(slot(0), float(target)) << "the processor got the packet";
    EXPECT_EQ(processor().mode(), int(target * 2.0));
    const Screen switched = shot("aax-editor-1-mode.png");
    const QorRect swDevice{sw.left, sw.top + kStrip, sw.right, sw.bottom + kStrip};
    EXPECT_GT(switched.differing(start, swDevice), 50) << "the switch shows its new position";

    // Time knob: from 0.2 (set by the host, shown through ParameterUpdated) 90 pixels right.
    ASSERT_EQ(instance->hostEdit(kTime, 0.2, false), AAX_SUCCESS);
    pump(5);
    EXPECT_NEAR(panel().getKnob(4)->getValue(), 0.2, 1e-6);
    const Screen before = shot("aax-editor-2-time-0.2.png");
    const double timeScaleBefore = processor().timeScale();
    ASSERT_TRUE(xdotool({"mousemove", "--sync", "--window", windowId(), "85", "252", "mousedown", "1", "mousemove",
                         "--sync", "--window", windowId(), "130", "252", "mousemove", "--sync", "--window", windowId(),
                         "175", "252", "mouseup", "1"}));
    EXPECT_NEAR(instance->parameterValue(kTime), 0.5, 0.004);
    EXPECT_EQ(hostCalls(AaxAutomationEvent::kTouch, kTime), hostCalls(AaxAutomationEvent::kRelease, kTime));
    EXPECT_GE(hostCalls(AaxAutomationEvent::kSet, kTime), 1);
    EXPECT_FALSE(instance->controller().runaway) << "the host and the module agree on the value";
    EXPECT_NEAR(slot(4), 0.5f, 0.004f);
    EXPECT_NE(processor().timeScale(), timeScaleBefore);
    EXPECT_TRUE(bridge->getPresetManager()->modified()) << "the echo of a touched edit is a user edit";
    const Screen dragged = shot("aax-editor-3-time-0.5.png");
    EXPECT_GT(dragged.differing(before, {55, 170 + kStrip, 115, 230 + kStrip}), 30) << "the knob turned";

    // The preset bar's right arrow loads the next preset.
    QorPresetManager& presets = *bridge->getPresetManager();
    const int32_t next = presets.index() + 1;
    const std::string expectedName = presets.entryName(presets.kind(), presets.column(), next);
    instance->controller().log.clear();
    ASSERT_TRUE(xdotool({"mousemove", "--sync", "--window", windowId(), "100", "13", "click", "1"}));
    EXPECT_EQ(presets.index(), next);
    EXPECT_EQ(editor().nameControl()->name(), expectedName);
    const QorPresetRecord loaded = presets.current();
    for (int i : {0, 2, 3, 4, 5, 6, 7})
    {
        const std::string id = vellaCorParameters::tables().identifiers[size_t(i)];
        EXPECT_GE(hostCalls(AaxAutomationEvent::kTouch, id), 1) << id;
        EXPECT_GE(hostCalls(AaxAutomationEvent::kRelease, id), 1) << id;
        EXPECT_NEAR(instance->parameterValue(id), loaded.values[i], 1e-6) << id;
        EXPECT_EQ(slot(i), loaded.values[i]) << id << " reached the processor";
    }
    EXPECT_NEAR(panel().getKnob(4)->getValue(), loaded.values[4], 1e-6);
    const Screen stepped = shot("aax-editor-4-next-preset.png");
    EXPECT_GT(stepped.differing(dragged, {128, 3, 366, 23}), 20) << "the name field shows the new name";

    // The host's session keeps the preset: a new instance restored from the 'All ' chunk.
    AaxChunk chunk;
    ASSERT_EQ(instance->saveChunk(kAll, chunk), AAX_SUCCESS);
    auto reopened = makeInstance(*host, AAX_eStemFormat_Stereo);
    ASSERT_EQ(reopened->restoreChunk(chunk), AAX_SUCCESS);
    reopened->idle();
    for (int i : {0, 2, 3, 4, 5, 6, 7})
    {
        const std::string id = vellaCorParameters::tables().identifiers[size_t(i)];
        EXPECT_NEAR(reopened->parameterValue(id), loaded.values[i], 1e-6) << id;
    }
    auto& reopenedBridge = dynamic_cast<Qor_KXRB_2220_AAX_Parameters_Wrapper&>(*reopened->parameters()).bridge();
    EXPECT_EQ(std::string(reopenedBridge.getPresetManager()->current().name), std::string(loaded.name));
}

TEST_F(AaxEditorWindow, TheNeedleFollowsTheAudioAndCtrlAltWinClicksReachTheHost)
{
    const Screen still = shot("aax-editor-5-still.png");
    loop->start(); // the audio on a thread of its own, as in the program
    for (int i = 0; i < 60; ++i)
    {
        session->tick();
        usleep(10000);
    }
    loop->stop();
    EXPECT_GT(loop->blocks(), 20u);
    EXPECT_GT(panel().getNeedleGlide().latestReading(), 0.05) << "the drums are compressed";
    const Screen moving = shot("aax-editor-6-needle.png");
    EXPECT_GT(moving.differing(still, {150, 66 + kStrip, 250, 150 + kStrip}), 10) << "the needle moved";

    // The keyboard is read from the X server itself at the moment of the click.
    ASSERT_TRUE(xdotool({"mousemove", "--sync", "--window", windowId(), "85", "252", "keydown", "ctrl+alt+super",
                         "click", "1", "keyup", "ctrl+alt+super"}));
    ASSERT_FALSE(session->container().mouseDowns.empty());
    EXPECT_EQ(session->container().mouseDowns.back().id, kTime);
    EXPECT_EQ(session->container().mouseDowns.back().modifiers, 14u);
    ASSERT_TRUE(xdotool({"mousemove", "--window", windowId(), "85", "252", "click", "3"}));
    EXPECT_EQ(session->container().mouseDowns.back().modifiers, 16u);
}

TEST_F(AaxEditorWindow, APresetChosenByDoubleClickInThePresetMenuReachesHostAndProcessor)
{
    const Screen closed = shot("aax-editor-7-before-menu.png");
    // The name field opens the menu inside the editor's size: the host's window does not move.
    const std::size_t sizes = session->container().sizes.size();
    ASSERT_TRUE(xdotool({"mousemove", "--sync", "--window", windowId(), "240", "13", "click", "1"}));
    ASSERT_TRUE(editor().isPresetMenuShown());
    EXPECT_EQ(session->container().sizes.size(), sizes);
    const Screen menu = shot("aax-editor-8-menu.png");
    EXPECT_EQ(menu.width, 400);
    EXPECT_EQ(menu.height, 327);
    EXPECT_GT(menu.differing(closed, {0, kStrip, 400, 327}), 20000) << "the menu covers the panel";

    // The "Drums" column (third row of the column list), then its third preset twice.
    instance->controller().log.clear();
    ASSERT_TRUE(xdotool({"mousemove", "--sync", "--window", windowId(), "50", std::to_string(int(kStrip + 71)),
                         "click", "1", "mousemove", "--sync", "--window", windowId(), "260",
                         std::to_string(int(kStrip + 71)), "click", "--repeat", "2", "--delay", "80", "1"}));
    QorPresetManager& presets = *bridge->getPresetManager();
    EXPECT_STREQ(presets.current().name, "Snare Puncher");
    EXPECT_FALSE(editor().isPresetMenuShown()) << "a double click closes the menu";
    EXPECT_EQ(session->container().sizes.size(), sizes);
    const QorPresetRecord loaded = presets.current();
    for (int i : {0, 2, 3, 4, 5, 6, 7})
    {
        const std::string id = vellaCorParameters::tables().identifiers[size_t(i)];
        EXPECT_NEAR(instance->parameterValue(id), loaded.values[i], 1e-6) << id;
        EXPECT_EQ(slot(i), loaded.values[i]) << id << " reached the processor";
    }
    EXPECT_GE(hostCalls(AaxAutomationEvent::kTouch, kTime), 1);
    EXPECT_GE(hostCalls(AaxAutomationEvent::kRelease, kTime), 1);
    const Screen after = shot("aax-editor-9-snare-puncher.png");
    EXPECT_EQ(after.width, 400);
    EXPECT_EQ(after.height, 327);
    EXPECT_GT(after.differing(closed, {128, 3, 366, 23}), 20) << "the name field shows the new name";

    AaxChunk chunk;
    ASSERT_EQ(instance->saveChunk(kAll, chunk), AAX_SUCCESS);
    auto reopened = makeInstance(*host, AAX_eStemFormat_Stereo);
    ASSERT_EQ(reopened->restoreChunk(chunk), AAX_SUCCESS);
    auto& reopenedBridge = dynamic_cast<Qor_KXRB_2220_AAX_Parameters_Wrapper&>(*reopened->parameters()).bridge();
    EXPECT_STREQ(reopenedBridge.getPresetManager()->current().name, "Snare Puncher");
}

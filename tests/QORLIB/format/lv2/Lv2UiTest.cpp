// The LV2 UI in a real X11 window under a private Xvfb, with a recording host: port events reach
// the controls and the needle, edits become port writes inside touch gestures, a preset load
// from the preset bar writes every control port, and the editor's size reaches the host.
#include "QORLIB/format/lv2/Qor_LV2_EditorEngine.h"
#include "QORLIB/format/lv2/Qor_LV2_Plugin.h"
#include "QORLIB/format/lv2/Qor_LV2_UI.h"
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorHorizontalSwitch.h"
#include "QORLIB/gui/presetbar/PresetBarConfigMenu.h"
#include "QORLIB/gui/presetbar/PresetBarNameControl.h"
#include "QORLIB/gui/presetbar/QorConfigPluginInfoText.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "vellaCor/editor/CInfo.h"
#include "vellaCor/editor/vellaCorEditor.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include "tests/QORLIB/gui/toolkit/TestHostDisplay.h"
#undef None
#undef Bool

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{
struct RecordingHost
{
    struct Write
    {
        uint32_t port;
        float value;
    };
    std::vector<Write> writes;
    std::vector<std::pair<uint32_t, bool>> touches;
    std::string log; // per event: 't' touch, 'w' write, 'r' release, then the port
    std::string logOf(uint32_t port) const
    {
        std::string out;
        for (size_t i = 0; i + 1 < log.size(); i += 2)
            if (uint32_t(log[i + 1] - '0') == port)
                out += log[i];
        return out;
    }
    std::vector<std::pair<int, int>> sizes;
    LV2UI_Resize resize{this, [](LV2UI_Feature_Handle h, int w, int hgt) {
                            static_cast<RecordingHost*>(h)->sizes.emplace_back(w, hgt);
                            return 0;
                        }};
    LV2UI_Touch touch{this, [](LV2UI_Feature_Handle h, uint32_t port, bool grabbed) {
                          static_cast<RecordingHost*>(h)->touches.emplace_back(port, grabbed);
                          static_cast<RecordingHost*>(h)->log += std::string(1, grabbed ? 't' : 'r') + char('0' + port);
                      }};
    static void write(LV2UI_Controller c, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
    {
        if (size == sizeof(float) && format == 0)
        {
            static_cast<RecordingHost*>(c)->writes.push_back({port, *static_cast<const float*>(buffer)});
            static_cast<RecordingHost*>(c)->log += std::string("w") + char('0' + port);
        }
    }
    Qor_LV2::UI::HostInterface interface(Qor_LV2::Plugin* instance, float scale = 0.0f)
    {
        Qor_LV2::UI::HostInterface h;
        h.write = write;
        h.controller = this;
        h.resize = &resize;
        h.touch = &touch;
        h.instance = instance;
        h.scaleFactor = scale;
        return h;
    }
};

class Lv2Ui : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!server_.ok())
            GTEST_SKIP() << "no X server for this test: " << server_.reason();
    }
    void port(Qor_LV2::UI& ui, uint32_t index, float value) { ui.portEvent(index, sizeof value, 0, &value); }
    XvfbServer server_;
};
} // namespace

TEST_F(Lv2Ui, PortEventsReachTheControlsAndTheNeedle)
{
    Qor_LV2::Plugin plugin(48000, true);
    RecordingHost host;
    Qor_LV2::UI ui(host.interface(&plugin));
    ASSERT_TRUE(ui.open());
    ASSERT_NE(ui.windowId(), 0u);
    auto* editor = static_cast<vellaCorEditor*>(ui.engine()->getEditor());
    port(ui, 3, 7.5f); // time, 0..10
    EXPECT_DOUBLE_EQ(editor->getKnob(4)->getValue(), 0.75);
    port(ui, 0, 1.0f); // process: "Clear", the switch's middle
    EXPECT_DOUBLE_EQ(editor->getModeSwitch()->getValue(), 0.5);
    port(ui, 8, 0.4f); // gain_reduction
    EXPECT_NEAR(editor->getNeedleGlide().latestReading(), 0.4, 1e-6);
    // Host automation is an edit of the preset: the name shows it modified.
    EXPECT_TRUE(plugin.presets().modified());
    EXPECT_TRUE(host.writes.empty()) << "values from the host are not written back";
    EXPECT_EQ(host.sizes.back(), (std::pair<int, int>{400, 327}));
}

TEST_F(Lv2Ui, TheAboutBoxAndTheVersionLineNameLv2)
{
    Qor_LV2::Plugin plugin(48000, true);
    RecordingHost host;
    Qor_LV2::UI ui(host.interface(&plugin));
    ASSERT_TRUE(ui.open());
    auto* editor = static_cast<vellaCorEditor*>(ui.engine()->getEditor());
    EXPECT_EQ(editor->getAbout()->getCredit(), "LV2 plug-in");
    EXPECT_EQ(ui.engine()->configMenu()->versionText()->line(), "v.2.2.2.0 (sh.7.2.0) build:01111303lv2.x64");
}

TEST_F(Lv2Ui, EditsAreWrittenInsideTouchGestures)
{
    Qor_LV2::Plugin plugin(48000, false);
    RecordingHost host;
    Qor_LV2::UI ui(host.interface(&plugin));
    ASSERT_TRUE(ui.open());
    auto* editor = static_cast<vellaCorEditor*>(ui.engine()->getEditor());
    editor->getKnob(4)->setValue(0.5);
    // A wheel notch on the Time knob, product (85, 200) under the 52-point strip.
    ui.engine()->getFrame()->wheel({85, 252}, 1.0f, 0);
    ASSERT_FALSE(host.writes.empty());
    EXPECT_EQ(host.writes.back().port, 3u);
    EXPECT_FLOAT_EQ(host.writes.back().value, 6.0f);
    // The notch is a gesture of its own, closed at once.
    EXPECT_EQ(host.logOf(3), "twr");
    EXPECT_NEAR(plugin.presets().current().values[4], 0.6, 1e-6);
    // The mode switch's right third: "Off", process port 0.
    ui.engine()->getFrame()->mouseDown({360, 132}, 2);
    ui.engine()->getFrame()->mouseUp({360, 132}, 2);
    EXPECT_EQ(host.writes.back().port, 0u);
    EXPECT_FLOAT_EQ(host.writes.back().value, 0.0f);
}

TEST_F(Lv2Ui, APresetFromTheBarWritesEveryControlPort)
{
    Qor_LV2::Plugin plugin(48000, true);
    RecordingHost host;
    Qor_LV2::UI ui(host.interface(&plugin));
    ASSERT_TRUE(ui.open());
    // The nudge's right arrow: the next factory preset.
    ui.engine()->getFrame()->mouseDown({100, 13}, 2);
    ui.engine()->getFrame()->mouseUp({100, 13}, 2);
    EXPECT_EQ(plugin.presets().index(), 1);
    std::set<uint32_t> ports;
    for (const auto& w : host.writes)
        ports.insert(w.port);
    EXPECT_EQ(ports, (std::set<uint32_t>{0, 1, 2, 3, 4, 5, 6}));
    // The values written are the preset's, scaled to the ports.
    const QorPresetRecord& r = plugin.presets().current();
    for (const auto& w : host.writes)
    {
        if (w.port == 3)
        {
            EXPECT_NEAR(w.value, r.values[4] * 10.0f, 1e-4);
        }
    }
}

TEST_F(Lv2Ui, TheHostsScaleIsTheFirstZoomAndReachesTheHostAsASize)
{
    Qor_LV2::Plugin plugin(48000, true);
    RecordingHost host;
    Qor_LV2::UI ui(host.interface(&plugin, 2.0f));
    ASSERT_TRUE(ui.open());
    EXPECT_DOUBLE_EQ(ui.engine()->getZoomFactor(), 2.0);
    EXPECT_EQ(host.sizes.back(), (std::pair<int, int>{800, 654}));
    // Without instance access the UI keeps a preset manager of its own.
    RecordingHost other;
    Qor_LV2::UI alone(other.interface(nullptr));
    ASSERT_TRUE(alone.open());
    EXPECT_NE(&alone.presets(), &plugin.presets());
    alone.close();
    EXPECT_FALSE(alone.isOpen());
    EXPECT_EQ(alone.idle(), 0);
}

TEST_F(Lv2Ui, TheUndoStepsAndTheModifiedNameOutliveAClosedEditor)
{
    Qor_LV2::Plugin plugin(48000, true);
    RecordingHost host;
    double before = 0.0;
    {
        Qor_LV2::UI ui(host.interface(&plugin));
        ASSERT_TRUE(ui.open());
        before = plugin.presets().current().values[4];
        ui.engine()->getFrame()->wheel({85, 252}, 1.0f, 0); // Time up one notch
        EXPECT_TRUE(plugin.presets().modified());
    } // the host closes the editor
    Qor_LV2::UI again(host.interface(&plugin));
    ASSERT_TRUE(again.open());
    EXPECT_EQ(again.engine()->nameControl()->name(), "Default *");
    host.writes.clear();
    again.engine()->getFrame()->mouseDown({330, 39}, 2); // undo
    again.engine()->getFrame()->mouseUp({330, 39}, 2);
    EXPECT_NEAR(plugin.presets().current().values[4], before, 1e-6);
    EXPECT_FALSE(plugin.presets().modified());
    ASSERT_FALSE(host.writes.empty());
    EXPECT_EQ(host.writes.back().port, 6u); // the undone preset is written to every port
}

TEST_F(Lv2Ui, ADragIsOneTouchGestureAndAPresetLoadOneGesturePerPort)
{
    Qor_LV2::Plugin plugin(48000, true);
    RecordingHost host;
    Qor_LV2::UI ui(host.interface(&plugin));
    ASSERT_TRUE(ui.open());
    qortk::Frame& frame = *ui.engine()->getFrame();
    frame.mouseDown({85, 252}, 2); // Time
    for (int i = 1; i <= 20; ++i)
    {
        frame.mouseMoved({85.0 + 3 * i, 252}, 2);
        ui.engine()->idle(); // a tick between the moves ends nothing
        // The host hears each value back as a port event, which is never written again.
        port(ui, 3, host.writes.back().value);
    }
    frame.mouseUp({145, 252}, 2);
    EXPECT_EQ(host.logOf(3), "t" + std::string(20, 'w') + "r");
    EXPECT_FLOAT_EQ(host.writes.back().value, 7.0f);
    EXPECT_EQ(host.log.size(), 44u) << "no other port";

    // The nudge's right arrow loads the next factory preset: one gesture per port.
    host.log.clear();
    frame.mouseDown({100, 13}, 2);
    frame.mouseUp({100, 13}, 2);
    for (uint32_t p = 0; p < 7; ++p)
        EXPECT_EQ(host.logOf(p), "twr") << "port " << p;
}

TEST_F(Lv2Ui, ClosingTheEditorMidDragEndsTheTouch)
{
    Qor_LV2::Plugin plugin(48000, true);
    RecordingHost host;
    Qor_LV2::UI ui(host.interface(&plugin));
    ASSERT_TRUE(ui.open());
    ui.engine()->getFrame()->mouseDown({85, 252}, 2);
    ui.engine()->getFrame()->mouseMoved({115, 252}, 2);
    ui.close();
    EXPECT_EQ(host.logOf(3), "twr");
}

TEST_F(Lv2Ui, SevenNotchesUpOnEachTrimWriteItsSevenStepsAndAFactoryPresetItsStep)
{
    Qor_LV2::Plugin plugin(48000, true);
    RecordingHost host;
    Qor_LV2::UI ui(host.interface(&plugin));
    ASSERT_TRUE(ui.open());
    // attack_ratio (port 2) and valve_level (port 6); the trims sit over Time and the mode switch.
    for (const auto& [where, p] : {std::pair{qortk::Point{46, 182}, 2u}, std::pair{qortk::Point{282, 150}, 6u}})
    {
        port(ui, p, 0.0f);
        host.writes.clear();
        host.log.clear();
        for (int notch = 0; notch < 7; ++notch)
            ui.engine()->getFrame()->wheel(where, 1.0f, 0);
        std::vector<float> written;
        for (const auto& w : host.writes)
            written.push_back(w.value);
        EXPECT_EQ(written, (std::vector<float>{1, 2, 3, 4, 5, 6})) << "port " << p;
        EXPECT_EQ(host.logOf(p), "twr" "twr" "twr" "twr" "twr" "twr" "tr") << "the top notch writes nothing";
    }
    // "CompressHeavy1" keeps its ratio in the bank as 0.6667; the port hears step 4 itself.
    host.writes.clear();
    plugin.presets().selectPreset(5);
    bool sawRatio = false;
    for (const auto& w : host.writes)
        if (w.port == 1)
        {
            sawRatio = true;
            EXPECT_EQ(w.value, 4.0f);
        }
    EXPECT_TRUE(sawRatio);
}

// The host destroys its window (the editor's parent) and only then cleans the UI up, with and
// without idle calls in between: it keeps running and its handler sees none of the UI's errors.
TEST_F(Lv2Ui, CleanupAfterTheHostDestroyedTheParentWindow)
{
    for (int idlesBetween : {0, 4})
    {
        TestHostDisplay host;
        ASSERT_TRUE(host.ok());
        Qor_LV2::Plugin plugin(48000, true);
        RecordingHost recorder;
        Qor_LV2::UI::HostInterface interface = recorder.interface(&plugin);
        interface.parent = host.openWindow(400, 327);
        auto ui = std::make_unique<Qor_LV2::UI>(interface);
        ASSERT_TRUE(ui->open());
        for (int i = 0; i < 3; ++i)
            ui->idle();
        host.makeOwnError();
        EXPECT_EQ(TestHostDisplay::errors().size(), 1u);
        host.destroyWindow();
        for (int i = 0; i < idlesBetween; ++i)
        {
            port(*ui, 3, float(i)); // the Time knob repaints
            EXPECT_EQ(ui->idle(), 0);
        }
        ui.reset(); // the host's cleanup
        EXPECT_EQ(TestHostDisplay::foreign(host.display()), 0) << idlesBetween;
        EXPECT_TRUE(TestHostDisplay::handlerIsCurrent());
    }
}

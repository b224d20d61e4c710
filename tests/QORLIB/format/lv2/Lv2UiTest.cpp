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
    std::vector<std::pair<int, int>> sizes;
    LV2UI_Resize resize{this, [](LV2UI_Feature_Handle h, int w, int hgt) {
                            static_cast<RecordingHost*>(h)->sizes.emplace_back(w, hgt);
                            return 0;
                        }};
    LV2UI_Touch touch{this, [](LV2UI_Feature_Handle h, uint32_t port, bool grabbed) {
                          static_cast<RecordingHost*>(h)->touches.emplace_back(port, grabbed);
                      }};
    static void write(LV2UI_Controller c, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
    {
        if (size == sizeof(float) && format == 0)
            static_cast<RecordingHost*>(c)->writes.push_back({port, *static_cast<const float*>(buffer)});
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
    ASSERT_EQ(host.touches.size(), 1u);
    EXPECT_EQ(host.touches[0], (std::pair<uint32_t, bool>{3, true}));
    ui.engine()->idle(); // no button held: the gesture ends
    ASSERT_EQ(host.touches.size(), 2u);
    EXPECT_EQ(host.touches[1], (std::pair<uint32_t, bool>{3, false}));
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

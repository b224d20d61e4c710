// A seeded soak of the LV2 UI embedded in a test host's window: thousands of random user actions
// while the host runs the plug-in and applies the UI's port writes, then 50 instantiations and
// cleanups, and a cleanup after the host destroyed the parent window. Nothing may reach the
// host's error handler, every port write is in range and on its step, touches pair up, and
// run() allocates nothing.
#include "QORLIB/format/lv2/Qor_LV2_EditorEngine.h"
#include "QORLIB/format/lv2/Qor_LV2_Plugin.h"
#include "QORLIB/format/lv2/Qor_LV2_Ports.h"
#include "QORLIB/format/lv2/Qor_LV2_UI.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "QORLIB/platform/QorShell.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/EditorSoak.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include "tests/QORLIB/gui/toolkit/TestHostDisplay.h"
#undef None
#undef Bool

#include <memory>
#include <vector>

namespace
{
constexpr uint32_t kSeed = 19;
constexpr int kSteps = 1500;

// A host that runs the plug-in and applies the UI's writes to its ports, and checks each write
// and touch as it comes.
struct SoakHost
{
    Qor_LV2::Plugin plugin{48000.0, true};
    std::vector<float> controls;
    float reduction = 0.0f, reductionDb = 0.0f;
    std::vector<float> inL, inR, outL, outR;
    qortest::GesturePairs gestures;
    qortest::SoakFaults faults;
    std::size_t audioAllocations = 0;
    LV2UI_Touch touch{this, [](LV2UI_Feature_Handle h, uint32_t port, bool grabbed) {
                          auto* self = static_cast<SoakHost*>(h);
                          const std::string id = std::to_string(port);
                          self->faults.gesture(grabbed ? self->gestures.touch(id) : self->gestures.release(id));
                      }};

    SoakHost() : inL(256, 0.5f), inR(256, -0.4f), outL(256), outR(256)
    {
        controls.resize(Qor_LV2::kNumControls + 1);
        for (uint32_t p = 0; p < Qor_LV2::kNumControls; ++p)
            controls[p] = Qor_LV2::controlPort(p).defaultValue;
        controls[Qor_LV2::kEnabledPort] = 1.0f;
        for (uint32_t i = 0; i < controls.size(); ++i)
            plugin.connect(i, &controls[i]);
        plugin.connect(Qor_LV2::kGainReductionPort, &reduction);
        plugin.connect(Qor_LV2::gainReductionDbPort(true), &reductionDb);
        plugin.connect(Qor_LV2::kFirstAudioPort, inL.data());
        plugin.connect(Qor_LV2::kFirstAudioPort + 1, inR.data());
        plugin.connect(Qor_LV2::kFirstAudioPort + 2, outL.data());
        plugin.connect(Qor_LV2::kFirstAudioPort + 3, outR.data());
        plugin.activate();
    }
    static void write(LV2UI_Controller c, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
    {
        auto* self = static_cast<SoakHost*>(c);
        if (size != sizeof(float) || format != 0 || port >= Qor_LV2::kNumControls)
        {
            self->faults.value("a write to port " + std::to_string(port));
            return;
        }
        const float value = *static_cast<const float*>(buffer);
        const Qor_LV2::ControlPort& p = Qor_LV2::controlPort(port);
        self->faults.value(qortest::offStepOrRange(p.parameter, double(value) / p.scale));
        if (self->touching())
            self->faults.gesture(self->gestures.set(std::to_string(port)));
        self->controls[port] = value;
    }
    // Hosts without touch support take writes as they come; ours offers it.
    static bool touching() { return true; }
    void run()
    {
        qortest::AllocationScope scope;
        plugin.run(256);
        audioAllocations += scope.allocations();
    }
    Qor_LV2::UI::HostInterface interface(unsigned long parent)
    {
        Qor_LV2::UI::HostInterface h;
        h.write = write;
        h.controller = this;
        h.touch = &touch;
        h.instance = &plugin;
        h.parent = parent;
        return h;
    }
};

class Lv2UiSoak : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!server_.ok())
            GTEST_SKIP() << "no X server for this test: " << server_.reason();
        QorShell::setHandler([](const std::string&) { return true; });
        QorMessageBox::setHandler([](const std::string&, const std::string&) {});
        QorSaveDialog::setHandler([](const QorSaveDialog::Request&, std::string&) { return false; });
    }
    void TearDown() override
    {
        QorShell::setHandler({});
        QorMessageBox::setHandler({});
        QorSaveDialog::setHandler({});
    }
    XvfbServer server_;
};
} // namespace

TEST_F(Lv2UiSoak, RandomUseThenFiftyInstancesThenTheParentGoesFirst)
{
    TestHostDisplay display;
    ASSERT_TRUE(display.ok());
    const unsigned long parent = display.openWindow(420, 467);
    SoakHost host;
    auto ui = std::make_unique<Qor_LV2::UI>(host.interface(parent));
    ASSERT_TRUE(ui->open());
    const auto hostTick = [&] {
        host.run();
        const float gr = host.reduction;
        ui->portEvent(Qor_LV2::kGainReductionPort, sizeof gr, 0, &gr);
        ui->idle();
    };
    qortest::EditorSoak soak(
        kSeed, [&] { return ui->engine()->getFrame(); }, [&](double z) { ui->engine()->setZoom(z); }, hostTick);
    for (int i = 0; i < kSteps; ++i)
        soak.step();
    for (int i = 0; i < 4; ++i)
        hostTick();
    host.faults.gesture(host.gestures.stillOpen());
    EXPECT_EQ(host.faults.valueCount, 0) << qortest::joined(host.faults.values) << " (seed " << kSeed << ")";
    EXPECT_EQ(host.faults.gestureCount, 0) << qortest::joined(host.faults.gestures) << " (seed " << kSeed << ")";
    EXPECT_EQ(host.audioAllocations, 0u);

    // The host instantiates and cleans up the UI again and again, then destroys the parent first.
    for (int i = 0; i < 50; ++i)
    {
        ui.reset();
        ui = std::make_unique<Qor_LV2::UI>(host.interface(parent));
        ASSERT_TRUE(ui->open());
        if (i % 10 == 0)
            hostTick();
    }
    display.destroyWindow();
    hostTick();
    ui.reset();
    EXPECT_EQ(TestHostDisplay::foreign(display.display()), 0) << soak.recent();
    EXPECT_TRUE(TestHostDisplay::handlerIsCurrent());
}

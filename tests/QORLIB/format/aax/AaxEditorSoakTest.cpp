// A seeded soak of the editor in the host simulator: thousands of random user actions in a real
// window of the host's, the audio running block by block, then the host opening and closing the
// editor 50 times and destroying its window before it closes the editor. Nothing may reach the
// host's error handler, every value sent to the host is in range and on its step, touches and
// releases pair up, and the audio path allocates nothing.
#include "QORLIB/format/aax/host/AaxPlaybackLoop.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "QORLIB/platform/QorShell.h"
#include "tests/QORLIB/format/aax/EditorGlueFixture.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/EditorSoak.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include "tests/QORLIB/gui/toolkit/TestHostDisplay.h"
#undef None
#undef Bool

using namespace aaxtest;

namespace
{
constexpr uint32_t kSeed = 19;
constexpr int kSteps = 1500;

class AaxEditorSoak : public EditorGlue
{
protected:
    void SetUp() override
    {
        if (!server.ok())
            GTEST_SKIP() << "no X server for this test: " << server.reason();
        QorShell::setHandler([](const std::string&) { return true; });
        QorMessageBox::setHandler([](const std::string&, const std::string&) {});
        QorSaveDialog::setHandler([](const QorSaveDialog::Request&, std::string&) { return false; });
        EditorGlue::SetUp();
    }
    void TearDown() override
    {
        EditorGlue::TearDown();
        QorShell::setHandler({});
        QorMessageBox::setHandler({});
        QorSaveDialog::setHandler({});
    }
    XvfbServer server;
};
} // namespace

TEST_F(AaxEditorSoak, RandomUseThenFiftyOpeningsThenTheWindowGoesFirst)
{
    TestHostDisplay host;
    ASSERT_TRUE(host.ok());
    AaxViewContainer view(host.openWindow(420, 467));
    ASSERT_EQ(instance->setViewContainer(&view), AAX_SUCCESS);
    AaxPlaybackLoop loop(*instance, {drums(4096, 44100.0, 4), drums(4096, 44100.0, 5)}, 44100.0);
    loop.processBlock(); // the host's first meter readings make its table
    std::size_t audioAllocations = 0;
    const auto hostTick = [&] {
        instance->idle();
        instance->postPackets();
        qortest::AllocationScope scope;
        loop.processBlock();
        audioAllocations += scope.allocations();
    };
    qortest::EditorSoak soak(
        kSeed, [&] { return editor().frame(); }, [&](double z) { editor().setZoom(z); }, hostTick);
    for (int i = 0; i < kSteps; ++i)
        soak.step();
    for (int i = 0; i < 4; ++i)
        hostTick();

    qortest::SoakFaults faults;
    qortest::GesturePairs gestures;
    for (const auto& e : instance->controller().log)
    {
        if (e.kind == AaxAutomationEvent::kTouch)
            faults.gesture(gestures.touch(e.id));
        else if (e.kind == AaxAutomationEvent::kRelease)
            faults.gesture(gestures.release(e.id));
        else if (e.kind == AaxAutomationEvent::kSet)
        {
            faults.gesture(gestures.set(e.id));
            faults.value(qortest::offStepOrRange(std::stoi(e.id), e.value));
        }
    }
    faults.gesture(gestures.stillOpen());
    EXPECT_EQ(faults.valueCount, 0) << qortest::joined(faults.values) << " (seed " << kSeed << ")";
    EXPECT_EQ(faults.gestureCount, 0) << qortest::joined(faults.gestures) << " (seed " << kSeed << ")";
    EXPECT_EQ(audioAllocations, 0u);

    // The host opens and closes the editor again and again, then tears its window down first.
    for (int i = 0; i < 50; ++i)
    {
        ASSERT_EQ(instance->setViewContainer(nullptr), AAX_SUCCESS);
        ASSERT_EQ(instance->setViewContainer(&view), AAX_SUCCESS);
        if (i % 10 == 0)
            hostTick();
    }
    host.destroyWindow();
    hostTick();
    ASSERT_EQ(instance->setViewContainer(nullptr), AAX_SUCCESS);
    EXPECT_EQ(TestHostDisplay::foreign(host.display()), 0) << soak.recent();
    EXPECT_TRUE(TestHostDisplay::handlerIsCurrent());
}

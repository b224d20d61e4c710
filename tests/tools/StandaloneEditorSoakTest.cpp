// A seeded soak of the stand-alone editor: thousands of random user actions in its own window,
// then a host opening and closing it 50 times in a window of the host's and destroying that
// window before it closes the editor. Nothing may reach the host's error handler and every value
// the editor sends is in range and on its step.
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "QORLIB/platform/QorShell.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"
#include "tests/support/EditorSoak.h"
#include "tools/StandaloneEditorEngine.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include "tests/QORLIB/gui/toolkit/TestHostDisplay.h"
#undef None
#undef Bool

namespace
{
constexpr uint32_t kSeed = 19;
constexpr int kSteps = 1500;

class CheckedEngine : public StandaloneEditorEngine
{
public:
    CheckedEngine() : StandaloneEditorEngine(nullptr, "") {}
    void sendParameter(int32_t index, double value) override
    {
        if (index >= 0 && index < 12)
            if (const std::string f = qortest::offStepOrRange(index, value); !f.empty() && faults.size() < 8)
                faults.push_back(f);
        StandaloneEditorEngine::sendParameter(index, value);
    }
    std::vector<std::string> faults;
};

struct Handlers
{
    Handlers()
    {
        QorShell::setHandler([](const std::string&) { return true; });
        QorMessageBox::setHandler([](const std::string&, const std::string&) {});
        QorSaveDialog::setHandler([](const QorSaveDialog::Request&, std::string&) { return false; });
    }
    ~Handlers()
    {
        QorShell::setHandler({});
        QorMessageBox::setHandler({});
        QorSaveDialog::setHandler({});
    }
};
} // namespace

TEST(StandaloneEditorSoak, RandomUseThenFiftyOpeningsThenTheWindowGoesFirst)
{
    XvfbServer server;
    if (!server.ok())
        GTEST_SKIP() << "no X server for this test: " << server.reason();
    Handlers handlers;
    TestHostDisplay host;
    ASSERT_TRUE(host.ok());
    using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;
    CheckedEngine engine;
    std::string error;
    ASSERT_TRUE(engine.open(Platform::kX11Window, 0, &error)) << error;
    const auto tick = [&] {
        engine.idle();
        if (auto* window = dynamic_cast<qortk::X11Window*>(engine.getFrame()->platform()))
            window->idle();
    };
    qortest::EditorSoak soak(
        kSeed, [&] { return engine.getFrame(); }, [&](double z) { engine.setZoom(z); }, tick);
    for (int i = 0; i < kSteps; ++i)
        soak.step();
    tick();
    EXPECT_TRUE(engine.faults.empty()) << engine.faults.size() << " faults: " << qortest::joined(engine.faults)
                                       << " (seed " << kSeed << ")";
    engine.close();

    const unsigned long parent = host.openWindow(420, 467);
    for (int i = 0; i < 50; ++i)
    {
        ASSERT_TRUE(engine.open(Platform::kX11Embedded, parent, &error)) << error;
        if (i % 10 == 0)
            tick();
        if (i < 49)
            engine.close();
    }
    host.destroyWindow();
    tick();
    engine.close();
    EXPECT_EQ(TestHostDisplay::foreign(host.display()), 0) << soak.recent();
    EXPECT_TRUE(TestHostDisplay::handlerIsCurrent());
}

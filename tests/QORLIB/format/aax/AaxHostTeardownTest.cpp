// The host simulator's teardown in the order hosts use: the host's window goes first, then
// DeleteViewContainer. The host keeps running and its own error handler sees none of the
// editor's errors.
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "tests/QORLIB/format/aax/EditorGlueFixture.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include "tests/QORLIB/gui/toolkit/TestHostDisplay.h"
#undef None
#undef Bool

using namespace aaxtest;

namespace
{
// The editor in a window of a host's own (its display, its error handler), without xdotool.
class AaxHostTeardown : public EditorGlue
{
protected:
    void SetUp() override
    {
        if (!server.ok())
            GTEST_SKIP() << "no X server for this test: " << server.reason();
        EditorGlue::SetUp();
    }
    XvfbServer server;
};
} // namespace

// DeleteViewContainer after the host's window is gone, with GUI timer ticks in between and
// without: the host keeps running and its handler sees none of the editor's errors.
TEST_F(AaxHostTeardown, DeleteViewContainerAfterTheHostWindowIsGone)
{
    for (int ticksBetween : {0, 5})
    {
        TestHostDisplay host;
        ASSERT_TRUE(host.ok());
        AaxViewContainer view(host.openWindow(400, 327));
        ASSERT_EQ(instance->setViewContainer(&view), AAX_SUCCESS);
        auto* window = dynamic_cast<qortk::X11Window*>(editor().frame()->platform());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->waitUntilShown(5000));
        host.makeOwnError();
        EXPECT_EQ(TestHostDisplay::errors().size(), 1u);
        host.destroyWindow();
        for (int i = 0; i < ticksBetween; ++i)
        {
            instance->hostEdit(kTime, 0.1 * i, false); // something to repaint
            instance->idle();
        }
        ASSERT_EQ(instance->setViewContainer(nullptr), AAX_SUCCESS);
        EXPECT_EQ(TestHostDisplay::foreign(host.display()), 0) << ticksBetween;
        EXPECT_TRUE(TestHostDisplay::handlerIsCurrent());
        // The same GUI object opens again in a new window.
        const Window again = host.openWindow(400, 327);
        AaxViewContainer second(again);
        ASSERT_EQ(instance->setViewContainer(&second), AAX_SUCCESS);
        ASSERT_EQ(instance->setViewContainer(nullptr), AAX_SUCCESS);
        EXPECT_EQ(TestHostDisplay::foreign(host.display()), 0);
    }
}

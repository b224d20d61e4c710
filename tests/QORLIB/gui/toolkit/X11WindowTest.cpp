// A real X11 window under a private Xvfb: opened top-level and embedded, drawn, clicked,
// asked to close, and destroyed.
#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "tests/QORLIB/gui/toolkit/RecordingView.h"
#include "tests/QORLIB/gui/toolkit/XvfbServer.h"

#include <gtest/gtest.h>
// After gtest: Xlib's None and Bool macros would break its headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include "tests/QORLIB/gui/toolkit/TestHostDisplay.h"
#undef None
#undef Bool

#include <memory>

using qortk::Rect;

namespace
{
class X11Window : public testing::Test
{
protected:
    static void SetUpTestSuite() { server_ = new XvfbServer(); }
    static void TearDownTestSuite()
    {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override
    {
        if (!server_->ok())
            GTEST_SKIP() << "no X server for this test: " << server_->reason();
    }
    static XvfbServer* server_;
};
XvfbServer* X11Window::server_ = nullptr;

// The colour of a window pixel as 0xRRGGBB, read back from the server.
unsigned long windowPixel(Display* d, unsigned long window, int x, int y)
{
    XImage* image = XGetImage(d, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xdeadbeef;
    const unsigned long p = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return p;
}

void sendButton(Display* d, unsigned long window, int type, int x, int y)
{
    XEvent e{};
    e.xbutton.type = type;
    e.xbutton.display = d;
    e.xbutton.window = window;
    e.xbutton.x = x;
    e.xbutton.y = y;
    e.xbutton.button = Button1;
    e.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
    e.xbutton.same_screen = True;
    XSendEvent(d, window, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
    XFlush(d);
}

struct Scene
{
    qortk::Frame frame{Rect{0, 0, 100, 50}};
    std::shared_ptr<qortk::ViewContainer> left = std::make_shared<qortk::ViewContainer>(Rect{0, 0, 50, 50});
    std::shared_ptr<RecordingView> target = std::make_shared<RecordingView>(Rect{50, 0, 100, 50});
    Scene()
    {
        frame.setBackgroundColour({30, 30, 30, 255});
        left->setBackgroundColour({10, 120, 200, 255});
        frame.addView(left);
        frame.addView(target);
        frame.setZoomTransform(2.0);
    }
};
} // namespace

TEST_F(X11Window, OpensDrawsTakesClicksAndRepaintsWhatChanged)
{
    Scene s;
    std::string error;
    auto owned = qortk::X11Window::create(s.frame, 0, "test", &error);
    ASSERT_NE(owned, nullptr) << error;
    qortk::X11Window* window = owned.get();
    s.frame.setPlatform(std::move(owned));
    ASSERT_TRUE(window->waitUntilShown(5000));
    Display* d = window->display();
    XWindowAttributes attributes;
    XGetWindowAttributes(d, window->windowId(), &attributes);
    EXPECT_EQ(attributes.width, 200);
    EXPECT_EQ(attributes.height, 100);
    EXPECT_EQ(windowPixel(d, window->windowId(), 20, 20), 0x0a78c8u);
    EXPECT_EQ(windowPixel(d, window->windowId(), 150, 50), 0x1e1e1eu);

    s.left->setBackgroundColour({200, 40, 40, 255});
    window->idle();
    XSync(d, False);
    EXPECT_EQ(windowPixel(d, window->windowId(), 20, 20), 0xc82828u);

    // Device (160, 40) is (80, 20) in the frame.
    sendButton(d, window->windowId(), ButtonPress, 160, 40);
    sendButton(d, window->windowId(), ButtonRelease, 160, 40);
    XSync(d, False);
    for (int i = 0; i < 50 && s.target->events.size() < 2; ++i)
        window->idle();
    ASSERT_GE(s.target->events.size(), 2u);
    EXPECT_EQ(s.target->events[0].what, "down");
    EXPECT_EQ(s.target->events[0].where, (qortk::Point{80, 20}));
    EXPECT_EQ(s.target->events[0].buttons & qortk::kLButton, uint32_t(qortk::kLButton));

    // Resizing through the frame resizes the window.
    s.frame.setZoomTransform(1.5);
    window->idle();
    XSync(d, False);
    XGetWindowAttributes(d, window->windowId(), &attributes);
    EXPECT_EQ(attributes.width, 150);
    EXPECT_EQ(attributes.height, 75);
}

TEST_F(X11Window, TheCloseButtonOfTheWindowManagerEndsTheLoop)
{
    Scene s;
    auto owned = qortk::X11Window::create(s.frame, 0, "test");
    ASSERT_NE(owned, nullptr);
    qortk::X11Window* window = owned.get();
    s.frame.setPlatform(std::move(owned));
    ASSERT_TRUE(window->waitUntilShown(5000));
    Display* d = window->display();
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window->windowId();
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, window->windowId(), False, NoEventMask, &e);
    XFlush(d);
    EXPECT_EQ(window->runLoop(), 0);
    EXPECT_TRUE(window->closeRequested());
    s.frame.setPlatform(nullptr); // destroys the window
}

TEST_F(X11Window, EmbedsInAHostWindowAndLeavesItWhenDestroyed)
{
    Display* host = XOpenDisplay(nullptr);
    ASSERT_NE(host, nullptr);
    const Window parent = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 300, 200, 0, 0, 0);
    XMapWindow(host, parent);
    XSync(host, False);
    {
        Scene s;
        std::string error;
        auto owned = qortk::X11Window::create(s.frame, parent, "", &error);
        ASSERT_NE(owned, nullptr) << error;
        qortk::X11Window* window = owned.get();
        s.frame.setPlatform(std::move(owned));
        ASSERT_TRUE(window->waitUntilShown(5000));
        Window root, parentOf, *children = nullptr;
        unsigned count = 0;
        XQueryTree(host, window->windowId(), &root, &parentOf, &children, &count);
        if (children)
            XFree(children);
        EXPECT_EQ(parentOf, parent);
        EXPECT_EQ(windowPixel(host, parent, 20, 20), 0x0a78c8u) << "drawn inside the host's window";
    }
    XSync(host, False);
    Window root, parentOf, *children = nullptr;
    unsigned count = 0;
    XQueryTree(host, parent, &root, &parentOf, &children, &count);
    if (children)
        XFree(children);
    EXPECT_EQ(count, 0u) << "the editor's window is gone with the frame";
    XDestroyWindow(host, parent);
    XCloseDisplay(host);
}

// The host destroys its window (and ours with it) before it closes the editor: at once, after
// our window has seen the events, and with a handler the host installed after ours.
TEST_F(X11Window, AHostThatDestroysItsWindowFirstSeesNoErrorOfOursAndKeepsItsOwn)
{
    enum Moment
    {
        kCloseAtOnce,
        kPaintAndAskFirst,
        kHandlerReplacedAfterOpening,
    };
    for (Moment moment : {kCloseAtOnce, kPaintAndAskFirst, kHandlerReplacedAfterOpening})
    {
        TestHostDisplay host;
        ASSERT_TRUE(host.ok());
        const Window parent = host.openWindow(300, 200);
        XErrorHandler replacedWith = nullptr;
        {
            Scene s;
            std::string error;
            auto owned = qortk::X11Window::create(s.frame, parent, "", &error);
            ASSERT_NE(owned, nullptr) << error;
            qortk::X11Window* window = owned.get();
            s.frame.setPlatform(std::move(owned));
            ASSERT_TRUE(window->waitUntilShown(5000));
            host.makeOwnError();
            ASSERT_EQ(TestHostDisplay::errors().size(), 1u) << "the host's own error reaches the host's handler";
            EXPECT_EQ(TestHostDisplay::errors()[0].display, host.display());
            if (moment == kHandlerReplacedAfterOpening)
            {
                // A handler that passes nothing on, as some toolkits install later.
                replacedWith = [](Display* d, XErrorEvent* e) {
                    TestHostDisplay::errors().push_back({d, e->error_code, e->request_code});
                    return 0;
                };
                XSetErrorHandler(replacedWith);
            }
            host.destroyWindow();
            if (moment == kPaintAndAskFirst)
            {
                s.left->setBackgroundColour({200, 40, 40, 255}); // paints into the dead window
                qortk::Point p;
                uint32_t buttons = 0;
                window->queryPointer(p, buttons);
                window->frameResized(150, 90);
                for (int i = 0; i < 5; ++i)
                    window->idle();
                EXPECT_FALSE(window->isActive()) << "the window knows it is gone";
                EXPECT_FALSE(window->closeRequested()) << "an embedded window leaves closing to the host";
            }
        } // closes the editor: our window is gone already
        EXPECT_EQ(TestHostDisplay::foreign(host.display()), 0) << "moment " << moment;
        if (moment == kHandlerReplacedAfterOpening)
        {
            const XErrorHandler current = XSetErrorHandler(replacedWith);
            EXPECT_EQ(current, replacedWith) << "the host's later choice stands";
        }
        else
            EXPECT_TRUE(TestHostDisplay::handlerIsCurrent()) << "the host's handler is back, moment " << moment;
        host.makeOwnError();
        EXPECT_EQ(TestHostDisplay::errors().size(), 2u);
    }
}

// Two editors open and closed out of order: our handler chains to the host's until the last one
// closes, and the host's own errors reach it all the while.
TEST_F(X11Window, TheHostsHandlerIsBackWhenTheLastWindowCloses)
{
    TestHostDisplay host;
    ASSERT_TRUE(host.ok());
    const Window parent = host.openWindow(300, 200);
    auto first = std::make_unique<Scene>();
    auto second = std::make_unique<Scene>();
    first->frame.setPlatform(qortk::X11Window::create(first->frame, parent, ""));
    second->frame.setPlatform(qortk::X11Window::create(second->frame, 0, "second"));
    ASSERT_NE(first->frame.platform(), nullptr);
    ASSERT_NE(second->frame.platform(), nullptr);
    EXPECT_FALSE(TestHostDisplay::handlerIsCurrent()) << "ours listens while an editor is open";
    first.reset();
    host.makeOwnError();
    EXPECT_EQ(TestHostDisplay::errors().size(), 1u);
    EXPECT_FALSE(TestHostDisplay::handlerIsCurrent());
    second.reset();
    EXPECT_TRUE(TestHostDisplay::handlerIsCurrent());
    host.makeOwnError();
    EXPECT_EQ(TestHostDisplay::errors().size(), 2u);
}

TEST_F(X11Window, AParentThatDoesNotExistFailsCleanly)
{
    Scene s;
    std::string error;
    auto window = qortk::X11Window::create(s.frame, 0x7fffff0, "", &error);
    EXPECT_EQ(window, nullptr);
    EXPECT_NE(error.find("X error"), std::string::npos) << error;
}

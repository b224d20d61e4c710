#pragma once

// A host's side of X as a plug-in meets it: a display connection of its own, a window to embed
// the editor in, and an error handler of its own installed before the editor opens, which
// counts what reaches it (it must see the host's own errors and never the editor's).
#include <X11/Xlib.h>

#include <vector>

class TestHostDisplay
{
public:
    TestHostDisplay()
    {
        display_ = XOpenDisplay(nullptr);
        errors().clear();
        previous_ = XSetErrorHandler(&TestHostDisplay::record);
    }
    ~TestHostDisplay()
    {
        if (window_ && display_)
            XDestroyWindow(display_, window_);
        if (display_)
            XCloseDisplay(display_);
        XSetErrorHandler(previous_);
    }
    TestHostDisplay(const TestHostDisplay&) = delete;
    TestHostDisplay& operator=(const TestHostDisplay&) = delete;

    bool ok() const { return display_ != nullptr; }
    Display* display() const { return display_; }
    Window window() const { return window_; }
    Window openWindow(int width, int height)
    {
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, unsigned(width), unsigned(height),
                                      0, 0, 0);
        XMapWindow(display_, window_);
        XSync(display_, False);
        return window_;
    }
    // The host tears its window down (the editor's window goes with it) and waits until the
    // server has done it.
    void destroyWindow()
    {
        XDestroyWindow(display_, window_);
        XSync(display_, False);
        window_ = 0;
    }
    // A mistake of the host's own, which its handler must still receive.
    void makeOwnError()
    {
        XMapWindow(display_, 0x7ffff01);
        XSync(display_, False);
    }
    static bool handlerIsCurrent()
    {
        const XErrorHandler current = XSetErrorHandler(&TestHostDisplay::record);
        XSetErrorHandler(current);
        return current == &TestHostDisplay::record;
    }

    struct Error
    {
        Display* display;
        int code;
        int request;
    };
    static std::vector<Error>& errors()
    {
        static std::vector<Error> list;
        return list;
    }
    // Errors that reached the host's handler from a connection that is not the host's own.
    static int foreign(Display* own)
    {
        int n = 0;
        for (const Error& e : errors())
            n += e.display != own ? 1 : 0;
        return n;
    }

private:
    static int record(Display* d, XErrorEvent* e)
    {
        errors().push_back({d, e->error_code, e->request_code});
        return 0;
    }
    Display* display_ = nullptr;
    Window window_ = 0;
    XErrorHandler previous_ = nullptr;
};

#include "QORLIB/format/aax/host/AaxHostWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

std::unique_ptr<AaxHostWindow> AaxHostWindow::create(int width, int height, const std::string& title,
                                                     std::string* error)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
    {
        if (error != nullptr)
            *error = "cannot open the X display (is DISPLAY set?)";
        return nullptr;
    }
    std::unique_ptr<AaxHostWindow> w(new AaxHostWindow(display));
    const int screen = DefaultScreen(display);
    w->window_ = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, unsigned(std::max(width, 1)),
                                     unsigned(std::max(height, 1)), 0, BlackPixel(display, screen),
                                     BlackPixel(display, screen));
    w->deleteAtom_ = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Atom protocols[] = {Atom(w->deleteAtom_)};
    XSetWMProtocols(display, w->window_, protocols, 1);
    XSelectInput(display, w->window_, StructureNotifyMask);
    XClassHint hint{const_cast<char*>("qor-aax-host"), const_cast<char*>("QorAaxHost")};
    XSetClassHint(display, w->window_, &hint);
    w->setTitle(title);
    XMapWindow(display, w->window_);
    // The editor makes its window inside this one on another connection: it must exist there.
    XSync(display, False);
    return w;
}

AaxHostWindow::~AaxHostWindow()
{
    if (window_ != 0)
        XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

void AaxHostWindow::resize(int width, int height)
{
    XResizeWindow(display_, window_, unsigned(std::max(width, 1)), unsigned(std::max(height, 1)));
    XFlush(display_);
}

void AaxHostWindow::setTitle(const std::string& title)
{
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    const Atom name = XInternAtom(display_, "_NET_WM_NAME", False);
    XChangeProperty(display_, window_, name, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
    XStoreName(display_, window_, title.c_str());
    XFlush(display_);
}

void AaxHostWindow::pump()
{
    while (XPending(display_) > 0)
    {
        XEvent e;
        XNextEvent(display_, &e);
        if (e.type == ClientMessage && e.xclient.window == window_ && Atom(e.xclient.data.l[0]) == Atom(deleteAtom_))
            closeRequested_ = true;
        else if (e.type == MapNotify && e.xmap.window == window_)
            mapped_ = true;
        else if (e.type == UnmapNotify && e.xunmap.window == window_)
            mapped_ = false;
        else if (e.type == DestroyNotify && e.xdestroywindow.window == window_)
            closeRequested_ = true;
    }
}

bool AaxHostWindow::capture(std::vector<uint32_t>& pixels, int& width, int& height) const
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(display_, window_, &a) || a.map_state != IsViewable)
        return false;
    XImage* image = XGetImage(display_, window_, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    width = a.width;
    height = a.height;
    pixels.assign(std::size_t(width) * std::size_t(height), 0);
    const auto channel = [](unsigned long pixel, unsigned long mask) {
        if (mask == 0)
            return 0u;
        int shift = 0;
        while (((mask >> shift) & 1u) == 0)
            ++shift;
        const unsigned long max = mask >> shift;
        return unsigned(((pixel & mask) >> shift) * 255u / max);
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const unsigned long p = XGetPixel(image, x, y);
            pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                channel(p, image->red_mask) << 16 | channel(p, image->green_mask) << 8 | channel(p, image->blue_mask);
        }
    XDestroyImage(image);
    return true;
}

#include "QORLIB/gui/toolkit/X11Window.h"

#include "QORLIB/gui/toolkit/Clock.h"
#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/Timer.h"
#include "QORLIB/gui/toolkit/X11InputMethod.h"
#include "QORLIB/gui/toolkit/XErrorTrap.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <cairo.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>

namespace qortk
{
namespace
{
constexpr unsigned long kDoubleClickMs = 400;
constexpr int kDoubleClickSlop = 4;

uint32_t modifierFlags(unsigned state)
{
    uint32_t f = 0;
    if (state & ShiftMask)
        f |= kShift;
    if (state & ControlMask)
        f |= kControl;
    if (state & Mod1Mask)
        f |= kAlt;
    if (state & Mod4Mask)
        f |= kSystemKey;
    return f;
}

uint32_t heldButtons(unsigned state)
{
    uint32_t f = 0;
    if (state & Button1Mask)
        f |= kLButton;
    if (state & Button2Mask)
        f |= kMButton;
    if (state & Button3Mask)
        f |= kRButton;
    return f;
}

uint32_t buttonFlag(unsigned button)
{
    switch (button)
    {
    case Button1:
        return kLButton;
    case Button2:
        return kMButton;
    case Button3:
        return kRButton;
    default:
        return 0;
    }
}

// A keysym's character as UTF-8, for displays without an input method: Latin-1 keysyms and
// the Unicode ones (0x01000000 + code point) that tools such as xdotool bind.
std::string keysymText(KeySym sym)
{
    uint32_t c = 0;
    if ((sym >= 0x20 && sym < 0x7f) || (sym >= 0xa0 && sym <= 0xff))
        c = uint32_t(sym);
    else if (sym >= 0x010000a0 && sym <= 0x0110ffff)
        c = uint32_t(sym - 0x01000000);
    std::string out;
    if (c == 0 || (c >= 0xd800 && c <= 0xdfff))
        return out;
    if (c < 0x80)
        out += char(c);
    else if (c < 0x800)
    {
        out += char(0xc0 | (c >> 6));
        out += char(0x80 | (c & 0x3f));
    }
    else if (c < 0x10000)
    {
        out += char(0xe0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3f));
        out += char(0x80 | (c & 0x3f));
    }
    else
    {
        out += char(0xf0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3f));
        out += char(0x80 | ((c >> 6) & 0x3f));
        out += char(0x80 | (c & 0x3f));
    }
    return out;
}

// Text comes from the input method as UTF-8 (only presses carry text); without one, from the
// keysym. With Control held a letter comes as itself, so that Ctrl+A reaches the control as "a".
KeyEvent keyEventFrom(XKeyEvent& e, XIC input)
{
    KeyEvent key;
    std::string text;
    KeySym sym = 0;
    if (input && e.type == KeyPress)
    {
        char buffer[64];
        Status status = 0;
        int n = Xutf8LookupString(input, &e, buffer, sizeof buffer, &sym, &status);
        if (status == XBufferOverflow)
        {
            std::string big(size_t(n), '\0');
            n = Xutf8LookupString(input, &e, big.data(), n, &sym, &status);
            text.assign(big.data(), size_t(n > 0 ? n : 0));
        }
        else if (status == XLookupChars || status == XLookupBoth)
            text.assign(buffer, size_t(n > 0 ? n : 0));
        if (status != XLookupKeySym && status != XLookupBoth)
            sym = NoSymbol;
    }
    else
    {
        char buffer[16];
        const int n = XLookupString(&e, buffer, sizeof buffer, &sym, nullptr);
        for (int i = 0; i < n; ++i) // Latin-1 bytes, whose codes are their keysyms
            text += keysymText(static_cast<unsigned char>(buffer[i]));
        if (n <= 0)
            text = keysymText(sym);
    }
    key.modifiers = modifierFlags(e.state);
    if ((key.modifiers & kControl) && ((sym >= XK_a && sym <= XK_z) || (sym >= XK_A && sym <= XK_Z)))
        text = std::string(1, char(sym | 0x20));
    switch (sym)
    {
    case XK_Return:
    case XK_KP_Enter:
        key.key = KeyEvent::kReturn;
        break;
    case XK_Escape:
        key.key = KeyEvent::kEscape;
        break;
    case XK_BackSpace:
        key.key = KeyEvent::kBackspace;
        break;
    case XK_Delete:
        key.key = KeyEvent::kDelete;
        break;
    case XK_Left:
        key.key = KeyEvent::kLeft;
        break;
    case XK_Right:
        key.key = KeyEvent::kRight;
        break;
    case XK_Home:
        key.key = KeyEvent::kHome;
        break;
    case XK_End:
        key.key = KeyEvent::kEnd;
        break;
    case XK_Tab:
        key.key = KeyEvent::kTab;
        break;
    case XK_Shift_L:
    case XK_Shift_R:
        key.key = KeyEvent::kShiftKey;
        break;
    case XK_Control_L:
    case XK_Control_R:
        key.key = KeyEvent::kControlKey;
        break;
    case XK_Alt_L:
    case XK_Alt_R:
        key.key = KeyEvent::kAltKey;
        break;
    default:
        if (!text.empty() && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7f)
            key.text = text;
        break;
    }
    return key;
}
} // namespace

std::unique_ptr<X11Window> X11Window::create(Frame& frame, unsigned long parent, const std::string& title,
                                             std::string* error)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
    {
        if (error)
        {
            const char* name = std::getenv("DISPLAY");
            *error = std::string("cannot open the X display '") + (name ? name : "") + "'";
        }
        return nullptr;
    }
    std::unique_ptr<X11Window> window(new X11Window(frame, display));
    if (!window->open(parent, title, error))
        return nullptr;
    return window;
}

X11Window::X11Window(Frame& frame, Display* display) : frame_(frame), display_(display)
{
    XErrorTrap::adopt(display_);
}

bool X11Window::open(unsigned long parent, const std::string& title, std::string* error)
{
    width_ = frame_.deviceWidth() > 0 ? frame_.deviceWidth() : 1;
    height_ = frame_.deviceHeight() > 0 ? frame_.deviceHeight() : 1;
    const int screen = DefaultScreen(display_);
    const Window root = RootWindow(display_, screen);

    // A wrong parent id must fail this call, not end the host through the default handler.
    XSync(display_, False);
    XErrorTrap::takeError(display_);
    XErrorTrap::Scope trap(display_);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None; // no flash of background before the first paint
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask |
                            StructureNotifyMask | FocusChangeMask | KeymapStateMask;
    window_ = XCreateWindow(display_, parent ? parent : root, 0, 0, unsigned(width_), unsigned(height_), 0,
                            CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
    XSync(display_, False);
    const int failure = XErrorTrap::takeError(display_);
    if (failure != 0 || window_ == 0)
    {
        if (error)
            *error = "cannot create the editor window (X error " + std::to_string(failure) + ")";
        window_ = 0;
        windowGone_ = true;
        return false;
    }
    // Asked once here: the keyboard map is kept by Xlib from then on.
    for (int i = 0; i < 6; ++i)
    {
        static const KeySym kModifierKeys[6] = {XK_Control_L, XK_Control_R, XK_Alt_L, XK_Alt_R, XK_Super_L, XK_Super_R};
        modifierKeyCodes_[i] = XKeysymToKeycode(display_, kModifierKeys[i]);
    }
    if (parent)
    {
        // Hosts destroy their window before they close the editor, taking ours with it: we
        // must know, so as not to touch it again.
        parent_ = parent;
        XSelectInput(display_, parent_, StructureNotifyMask);
    }
    if (!parent)
    {
        setTitle(title);
        setIdentity();
        deleteAtom_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        Atom protocols[] = {static_cast<Atom>(deleteAtom_)};
        XSetWMProtocols(display_, window_, protocols, 1);
    }
    input_ = std::make_unique<X11InputMethod>(display_, window_);
    frameResized(width_, height_);
    XMapWindow(display_, window_);
    XFlush(display_);
    return true;
}

std::string X11Window::resName_ = "qortk";
std::string X11Window::resClass_ = "Qortk";

void X11Window::setWindowClass(const std::string& resName, const std::string& resClass)
{
    resName_ = resName;
    resClass_ = resClass;
}

void X11Window::setTitle(const std::string& title)
{
    if (!window_ || windowGone_)
        return;
    XErrorTrap::Scope trap(display_);
    XStoreName(display_, window_, title.c_str());
    // Window managers show _NET_WM_NAME, which carries UTF-8 (WM_NAME is Latin-1).
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
    XFlush(display_);
}

void X11Window::setIdentity()
{
    // Who the window belongs to, so desktops group it and can tell its process.
    XClassHint hint;
    hint.res_name = resName_.data();
    hint.res_class = resClass_.data();
    XSetClassHint(display_, window_, &hint);
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0)
    {
        XTextProperty machine;
        char* list[] = {host};
        if (XStringListToTextProperty(list, 1, &machine))
        {
            XSetWMClientMachine(display_, window_, &machine);
            XFree(machine.value);
        }
    }
    const long pid = getpid();
    XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
}

X11Window::~X11Window()
{
    {
        XErrorTrap::Scope trap(display_);
        // The host may have destroyed its window (and ours with it) a moment ago: learn it first.
        XSync(display_, False);
        XEvent e;
        while (!windowGone_ && window_ && XCheckTypedEvent(display_, DestroyNotify, &e))
            if (e.xdestroywindow.window == window_ || (parent_ && e.xdestroywindow.window == parent_))
                windowGone_ = true;
        input_.reset();
        if (windowSurface_)
            cairo_surface_destroy(windowSurface_);
        if (backBuffer_)
            cairo_surface_destroy(backBuffer_);
        if (window_ && !windowGone_)
            XDestroyWindow(display_, window_);
        XSync(display_, False);
    }
    XErrorTrap::closeDisplay(display_);
}

void X11Window::windowDestroyed()
{
    if (windowGone_)
        return;
    windowGone_ = true;
    mapped_ = false;
    if (windowSurface_)
    {
        cairo_surface_destroy(windowSurface_);
        windowSurface_ = nullptr;
    }
    // A window of our own that someone else destroyed: there is nothing left to show.
    if (!parent_)
        closeRequested_ = true;
}

void X11Window::frameResized(int w, int h)
{
    width_ = w > 0 ? w : 1;
    height_ = h > 0 ? h : 1;
    if (!window_)
        return;
    if (windowGone_)
    {
        if (backBuffer_)
            cairo_surface_destroy(backBuffer_);
        backBuffer_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
        return;
    }
    XErrorTrap::Scope trap(display_);
    // The editor decides its size (zoom); the window manager must not stretch it. Hosts that
    // embed the window read its natural size from the base size: it must be the same, or
    // they find a natural size below the minimum.
    XSizeHints hints{};
    hints.flags = PSize | PMinSize | PMaxSize | PBaseSize;
    hints.width = hints.min_width = hints.max_width = hints.base_width = width_;
    hints.height = hints.min_height = hints.max_height = hints.base_height = height_;
    XSetWMNormalHints(display_, window_, &hints);
    XResizeWindow(display_, window_, unsigned(width_), unsigned(height_));
    if (backBuffer_)
        cairo_surface_destroy(backBuffer_);
    backBuffer_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
    if (!windowSurface_)
    {
        const int screen = DefaultScreen(display_);
        windowSurface_ = cairo_xlib_surface_create(display_, window_, DefaultVisual(display_, screen), width_, height_);
    }
    else
        cairo_xlib_surface_set_size(windowSurface_, width_, height_);
    frame_.invalidateAll();
}

bool X11Window::queryPointer(Point& device, uint32_t& buttons)
{
    // Known from the events: the idle asks every tick, and asking the server would cost a
    // round trip each time even while nothing happens.
    if (windowGone_ || !pointerKnown_)
        return false;
    device = pointer_;
    buttons = pointerButtons_ | modifiers_;
    return true;
}

bool X11Window::queryHeldKeys(uint32_t& modifiers)
{
    modifiers = modifiers_ & (kControl | kAlt | kSystemKey);
    return true;
}

void X11Window::trackPointer(int x, int y, unsigned state)
{
    pointer_ = {double(x), double(y)};
    pointerButtons_ = heldButtons(state);
    modifiers_ = modifierFlags(state);
    pointerKnown_ = true;
}

void X11Window::trackModifierKey(unsigned keycode, unsigned state, bool down)
{
    static const uint32_t kFlagOf[6] = {kControl, kControl, kAlt, kAlt, kSystemKey, kSystemKey};
    // The state of a key event is the one before it.
    modifiers_ = modifierFlags(state);
    for (int i = 0; i < 6; ++i)
        if (modifierKeyCodes_[i] != 0 && modifierKeyCodes_[i] == keycode)
            modifiers_ = down ? (modifiers_ | kFlagOf[i]) : (modifiers_ & ~kFlagOf[i]);
}

void X11Window::trackKeymap(const char* keys)
{
    static const uint32_t kFlagOf[6] = {kControl, kControl, kAlt, kAlt, kSystemKey, kSystemKey};
    modifiers_ &= kShift;
    for (int i = 0; i < 6; ++i)
    {
        const unsigned code = modifierKeyCodes_[i];
        if (code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0)
            modifiers_ |= kFlagOf[i];
    }
}

uint32_t X11Window::pressFlags(int button, unsigned state, unsigned long timeMs, int x, int y)
{
    uint32_t flags = buttonFlag(unsigned(button)) | heldButtons(state) | modifierFlags(state);
    const bool again = button == lastPressButton_ && timeMs - lastPressTime_ <= kDoubleClickMs &&
                       std::abs(x - lastPressX_) <= kDoubleClickSlop && std::abs(y - lastPressY_) <= kDoubleClickSlop;
    if (again)
    {
        flags |= kDoubleClick;
        lastPressButton_ = 0; // a third press starts a new pair
    }
    else
    {
        lastPressButton_ = button;
        lastPressTime_ = timeMs;
        lastPressX_ = x;
        lastPressY_ = y;
    }
    return flags;
}

void X11Window::handleEvent(void* raw)
{
    XEvent& e = *static_cast<XEvent*>(raw);
    switch (e.type)
    {
    case Expose:
        copyToWindow(e.xexpose.x, e.xexpose.y, e.xexpose.width, e.xexpose.height);
        break;
    case MapNotify:
        mapped_ = true;
        break;
    case UnmapNotify:
        mapped_ = false;
        break;
    case DestroyNotify:
        if (e.xdestroywindow.window == window_ || (parent_ && e.xdestroywindow.window == parent_))
            windowDestroyed();
        break;
    case ButtonPress:
    {
        const auto& b = e.xbutton;
        const Point p{double(b.x), double(b.y)};
        const uint32_t mods = heldButtons(b.state) | modifierFlags(b.state);
        trackPointer(b.x, b.y, b.state);
        pointerButtons_ |= buttonFlag(b.button);
        if (b.button == 4 || b.button == 5)
            frame_.wheel(p, b.button == 4 ? 1.0f : -1.0f, mods);
        else if (b.button <= 3)
            frame_.mouseDown(p, pressFlags(int(b.button), b.state, b.time, b.x, b.y));
        break;
    }
    case ButtonRelease:
    {
        const auto& b = e.xbutton;
        trackPointer(b.x, b.y, b.state);
        pointerButtons_ &= ~buttonFlag(b.button);
        if (b.button <= 3)
            frame_.mouseUp({double(b.x), double(b.y)}, buttonFlag(b.button) | modifierFlags(b.state));
        break;
    }
    case MotionNotify:
    {
        // Only the latest of a run of moves matters; a move after a press or release must stay
        // after it, so only moves that come next in the queue are merged.
        XEvent next;
        while (XPending(display_) > 0)
        {
            XPeekEvent(display_, &next);
            if (next.type != MotionNotify || next.xmotion.window != e.xmotion.window)
                break;
            XNextEvent(display_, &e);
        }
        const auto& m = e.xmotion;
        trackPointer(m.x, m.y, m.state);
        frame_.mouseMoved({double(m.x), double(m.y)}, heldButtons(m.state) | modifierFlags(m.state));
        break;
    }
    case EnterNotify:
        pointerInside_ = true;
        trackPointer(e.xcrossing.x, e.xcrossing.y, e.xcrossing.state);
        break;
    case LeaveNotify:
        pointerInside_ = false;
        trackPointer(e.xcrossing.x, e.xcrossing.y, e.xcrossing.state);
        frame_.mouseLeftFrame();
        break;
    case KeyPress:
        trackModifierKey(e.xkey.keycode, e.xkey.state, true);
        if (input_ && input_->context() && XFilterEvent(&e, None))
            break; // taken by the input method (a dead key, a composition)
        frame_.keyDown(keyEventFrom(e.xkey, input_ ? input_->context() : nullptr));
        break;
    case KeyRelease:
        trackModifierKey(e.xkey.keycode, e.xkey.state, false);
        frame_.keyUp(keyEventFrom(e.xkey, nullptr));
        break;
    case KeymapNotify:
        trackKeymap(e.xkeymap.key_vector);
        break;
    case FocusOut:
        // Keys let go of while another window has the focus send us nothing.
        modifiers_ = 0;
        break;
    case ClientMessage:
        if (deleteAtom_ && static_cast<unsigned long>(e.xclient.data.l[0]) == deleteAtom_)
            closeRequested_ = true;
        break;
    default:
        break;
    }
}

void X11Window::copyToWindow(double x, double y, double w, double h)
{
    if (!windowSurface_ || !backBuffer_ || windowGone_)
        return;
    XErrorTrap::Scope trap(display_);
    cairo_t* cr = cairo_create(windowSurface_);
    cairo_set_source_surface(cr, backBuffer_, 0, 0);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_destroy(cr);
}

void X11Window::paint()
{
    if (!backBuffer_ || !mapped_)
        return;
    const auto region = frame_.takeInvalidRegion();
    if (region.empty())
        return;
    cairo_t* cr = cairo_create(backBuffer_);
    for (const Rect& r : region)
        frame_.render(cr, r);
    cairo_destroy(cr);
    cairo_surface_flush(backBuffer_);
    XErrorTrap::Scope trap(display_);
    for (const Rect& r : region)
        copyToWindow(r.left, r.top, r.width(), r.height());
    if (windowSurface_)
        cairo_surface_flush(windowSurface_);
    painted_ = true;
}

void X11Window::idle()
{
    bool input = false;
    while (XPending(display_) > 0)
    {
        XEvent e;
        XNextEvent(display_, &e);
        handleEvent(&e);
        input = true;
    }
    if (input)
        Timer::inputArrived();
    Timer::runDue();
    paint();
    XFlush(display_);
}

int X11Window::runLoop(const volatile std::sig_atomic_t* interrupted)
{
    while (!closeRequested_ && !(interrupted && *interrupted))
    {
        idle();
        if (closeRequested_)
            break;
        const int next = Timer::msUntilNext();
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        // With no timer running only an event (or a signal) has anything to do.
        poll(&fd, 1, next < 0 || next > kMaxWaitMs ? kMaxWaitMs : next);
    }
    return 0;
}

bool X11Window::waitUntilShown(int timeoutMs)
{
    const uint32_t start = Clock::nowMs();
    while (!(mapped_ && painted_))
    {
        idle();
        if (static_cast<int>(Clock::nowMs() - start) > timeoutMs)
            return false;
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        poll(&fd, 1, 10);
    }
    return true;
}

} // namespace qortk

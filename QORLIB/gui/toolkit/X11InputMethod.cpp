#include "QORLIB/gui/toolkit/X11InputMethod.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace qortk
{

X11InputMethod::X11InputMethod(Display* display, unsigned long window)
{
    if (!XSupportsLocale())
        return;
    // The process's locale is the host's: it is read, never set.
    if (XSetLocaleModifiers(""))
        method_ = XOpenIM(display, nullptr, nullptr, nullptr);
    if (!method_ && XSetLocaleModifiers("@im=none"))
        method_ = XOpenIM(display, nullptr, nullptr, nullptr);
    if (!method_)
        return;
    // Text is only committed, never drawn by us while composing: the styles that need no help.
    XIMStyles* styles = nullptr;
    XIMStyle style = 0;
    if (!XGetIMValues(method_, XNQueryInputStyle, &styles, nullptr) && styles)
    {
        for (unsigned short i = 0; i < styles->count_styles && !style; ++i)
            if (styles->supported_styles[i] == (XIMPreeditNothing | XIMStatusNothing))
                style = styles->supported_styles[i];
        for (unsigned short i = 0; i < styles->count_styles && !style; ++i)
            if (styles->supported_styles[i] == (XIMPreeditNone | XIMStatusNone))
                style = styles->supported_styles[i];
        XFree(styles);
    }
    if (style)
        context_ = XCreateIC(method_, XNInputStyle, style, XNClientWindow, window, XNFocusWindow, window, nullptr);
    if (!context_)
        return;
    // Some methods want more events than the window asks for.
    unsigned long wanted = 0;
    XWindowAttributes attributes{};
    if (!XGetICValues(context_, XNFilterEvents, &wanted, nullptr) && wanted &&
        XGetWindowAttributes(display, window, &attributes))
        XSelectInput(display, window, attributes.your_event_mask | long(wanted));
    XSetICFocus(context_);
}

X11InputMethod::~X11InputMethod()
{
    if (context_)
        XDestroyIC(context_);
    if (method_)
        XCloseIM(method_);
}

} // namespace qortk

#pragma once

typedef struct _XDisplay Display;
typedef struct _XIM* XIM;
typedef struct _XIC* XIC;

namespace qortk
{

// The X input method of one window, so that typed text arrives as UTF-8 whatever the keyboard
// or the composing tool: the desktop's own (XMODIFIERS) when it runs, else Xlib's built-in one.
// context() is null where the display offers neither; keys are then read without it.
class X11InputMethod
{
public:
    X11InputMethod(Display* display, unsigned long window);
    ~X11InputMethod();
    X11InputMethod(const X11InputMethod&) = delete;
    X11InputMethod& operator=(const X11InputMethod&) = delete;

    XIC context() const { return context_; }

private:
    XIM method_ = nullptr;
    XIC context_ = nullptr;
};

} // namespace qortk

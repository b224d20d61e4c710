#pragma once

// What a test can see of windows on the X server: a child of a given size, a region's pixels.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>

namespace qortest
{

// A window of the given size at or below parent (0 for any size), or 0.
inline Window findChild(Display* d, Window parent, int width, int height)
{
    Window root, up, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, parent, &root, &up, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
    {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && (width == 0 || (a.width == width && a.height == height)))
            found = children[i];
        else
            found = findChild(d, children[i], width, height);
    }
    if (children)
        XFree(children);
    return found;
}

// A hash of a rectangle's pixels.
inline uint64_t regionHash(Display* d, Window w, int x, int y, int width, int height)
{
    XImage* image = XGetImage(d, w, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image)
        return 0;
    uint64_t h = 1469598103934665603ull;
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            h = (h ^ XGetPixel(image, i, j)) * 1099511628211ull;
    XDestroyImage(image);
    return h;
}

} // namespace qortest

#pragma once

#include "QORLIB/gui/toolkit/Point.h"

#include <algorithm>

namespace qortk
{

// Left, top, right, bottom; right and bottom are exclusive for hit tests.
struct Rect
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    static Rect fromSize(double x, double y, double w, double h) { return {x, y, x + w, y + h}; }

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    Point topLeft() const { return {left, top}; }

    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool intersects(const Rect& r) const
    {
        return r.left < right && left < r.right && r.top < bottom && top < r.bottom;
    }
    Rect offset(double dx, double dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect intersection(const Rect& r) const
    {
        Rect out{std::max(left, r.left), std::max(top, r.top), std::min(right, r.right),
                 std::min(bottom, r.bottom)};
        return out.isEmpty() ? Rect{} : out;
    }
    Rect united(const Rect& r) const
    {
        if (isEmpty())
            return r;
        if (r.isEmpty())
            return *this;
        return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right),
                std::max(bottom, r.bottom)};
    }
    Rect inset(double dx, double dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
    bool operator==(const Rect&) const = default;
};

} // namespace qortk

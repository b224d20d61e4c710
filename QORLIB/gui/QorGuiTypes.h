#pragma once

#include <cstdint>

// Plain value types of the editor framework, free of any toolkit.

struct QorPoint
{
    double x = 0.0;
    double y = 0.0;
};

// Points: left, top, right, bottom.
struct QorRect
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool contains(const QorPoint& p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// RGBA bytes.
struct QorColour
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 255;
};

// Button and modifier flags of mouse events, and the results of mouse handlers.
enum QorButtonFlags : uint32_t
{
    kQorLButton = 2,
    kQorMButton = 4,
    kQorRButton = 8,
    kQorShift = 16,
    kQorControl = 32,
    kQorAlt = 64,
    kQorSystemKey = 128,
    kQorDoubleClick = 1024,
};

enum QorMouseResult : int32_t
{
    kQorMouseHandled = 1,
    kQorMouseNotHandled = 2,
    kQorMouseHandledFinal = 3, // handled; no further move or up events wanted
};

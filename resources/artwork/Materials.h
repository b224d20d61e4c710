#pragma once

#include "resources/artwork/Canvas.h"

#include <cstdint>
#include <functional>

namespace artwork
{

// Deterministic noise, so that the drawn images come out the same on every run.
class Noise
{
public:
    explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    double next() // uniform in [-1, 1)
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return (state_ & 0xffffff) / double(0x800000) - 1.0;
    }

private:
    uint32_t state_;
};

// Horizontal brush marks over a base colour, written straight into the pixels of a region
// (points) of the canvas.
void brushedMetal(Canvas& canvas, double x, double y, double w, double h, Rgba base, double strength, uint32_t seed);

// Blurs an ARGB32 surface in place (three box passes, close to a Gaussian).
void blur(cairo_surface_t* surface, int radiusPixels);

// A blurred copy of a shape painted under what comes next.
void softShadow(Canvas& canvas, const std::function<void(cairo_t*)>& shape, double blurPoints, Rgba colour,
                double dx, double dy);

// Spun-metal shading of a disc: light streaks that turn around the centre, brightest towards
// the light (angle in radians, 0 = from the right, measured clockwise on screen).
void spunDisc(cairo_t* cr, double cx, double cy, double r, Rgba base, double sheen, double lightAngle);

// A cross-head screw with its countersink.
void screw(Canvas& canvas, double cx, double cy, double r, double angle);

} // namespace artwork

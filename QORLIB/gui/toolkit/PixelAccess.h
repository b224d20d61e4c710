#pragma once

#include <cstdint>

typedef struct _cairo_surface cairo_surface_t;

namespace qortk
{

// Reads pixels of a cairo image surface as unpremultiplied 0xRRGGBBAA.
class PixelAccess
{
public:
    static uint32_t rgba(cairo_surface_t* imageSurface, int x, int y);
    static uint8_t red(uint32_t rgba) { return static_cast<uint8_t>(rgba >> 24); }
    static uint8_t green(uint32_t rgba) { return static_cast<uint8_t>(rgba >> 16); }
    static uint8_t blue(uint32_t rgba) { return static_cast<uint8_t>(rgba >> 8); }
    static uint8_t alpha(uint32_t rgba) { return static_cast<uint8_t>(rgba); }
};

} // namespace qortk

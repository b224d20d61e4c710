#include "QORLIB/gui/toolkit/PixelAccess.h"

#include <cairo.h>

#include <cstring>

namespace qortk
{

uint32_t PixelAccess::rgba(cairo_surface_t* surface, int x, int y)
{
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return 0;
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    if (x < 0 || y < 0 || x >= w || y >= h)
        return 0;
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    uint32_t argb = 0;
    switch (cairo_image_surface_get_format(surface))
    {
    case CAIRO_FORMAT_ARGB32:
        std::memcpy(&argb, row + 4 * x, 4);
        break;
    case CAIRO_FORMAT_RGB24:
        std::memcpy(&argb, row + 4 * x, 4);
        argb |= 0xff000000u;
        break;
    default:
        return 0;
    }
    const uint32_t a = argb >> 24;
    auto unpremultiply = [a](uint32_t c) { return a == 0 ? 0u : (c * 255u + a / 2) / a; };
    const uint32_t r = unpremultiply((argb >> 16) & 0xff);
    const uint32_t g = unpremultiply((argb >> 8) & 0xff);
    const uint32_t b = unpremultiply(argb & 0xff);
    return (r << 24) | (g << 16) | (b << 8) | a;
}

} // namespace qortk

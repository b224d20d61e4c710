#pragma once

// Screenshots of the host's window for pixel probes; each is also kept as a PNG in the test's
// working folder for a person to look at.
#include "QORLIB/format/aax/host/AaxHostWindow.h"
#include "QORLIB/gui/QorGuiTypes.h"

#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace aaxtest
{
struct Screen
{
    std::vector<uint32_t> pixels; // 0xRRGGBB
    int width = 0;
    int height = 0;

    bool grab(const AaxHostWindow& window) { return window.capture(pixels, width, height); }
    uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    // Pixels inside the rectangle whose colour differs noticeably from the other screenshot's.
    int differing(const Screen& other, const QorRect& r) const
    {
        int n = 0;
        for (int y = int(r.top); y < int(r.bottom) && y < height && y < other.height; ++y)
            for (int x = int(r.left); x < int(r.right) && x < width && x < other.width; ++x)
            {
                const uint32_t a = at(x, y), b = other.at(x, y);
                int d = 0;
                for (int s = 0; s < 24; s += 8)
                    d += std::abs(int((a >> s) & 255u) - int((b >> s) & 255u));
                n += d > 24 ? 1 : 0;
            }
        return n;
    }
    // Mean of the three channels inside the rectangle, 0..255.
    double brightness(const QorRect& r) const
    {
        double sum = 0.0;
        int n = 0;
        for (int y = int(r.top); y < int(r.bottom) && y < height; ++y)
            for (int x = int(r.left); x < int(r.right) && x < width; ++x, ++n)
            {
                const uint32_t p = at(x, y);
                sum += double((p >> 16) & 255u) + double((p >> 8) & 255u) + double(p & 255u);
            }
        return n > 0 ? sum / (3.0 * n) : 0.0;
    }
    void save(const char* path) const
    {
        if (width <= 0 || height <= 0)
            return;
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        cairo_surface_flush(s);
        auto* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                reinterpret_cast<uint32_t*>(data + y * stride)[x] = at(x, y);
        cairo_surface_mark_dirty(s);
        cairo_surface_write_to_png(s, path);
        cairo_surface_destroy(s);
    }
};
} // namespace aaxtest

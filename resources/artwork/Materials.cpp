#include "resources/artwork/Materials.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace artwork
{
namespace
{
// Rounds half away from zero, as lround does, without its call.
uint8_t roundByte(double v) { return v <= 0.0 ? 0 : v >= 255.0 ? 255 : static_cast<uint8_t>(v + 0.5); }
uint8_t toByte(double v) { return roundByte(v * 255.0); }

void boxBlurLine(std::vector<double>& line, int radius)
{
    const int n = static_cast<int>(line.size());
    thread_local std::vector<double> out;
    out.resize(line.size());
    const double* in = line.data();
    const auto at = [in, n](int i) { return in[std::clamp(i, 0, n - 1)]; };
    double sum = 0.0;
    for (int i = -radius; i <= radius; ++i)
        sum += at(i);
    const double divisor = 2 * radius + 1;
    // The same sums in the same order as a clamped walk; only the middle skips the clamping.
    const int middleEnd = n - radius - 1;
    int i = 0;
    for (; i < std::min(radius, n); ++i)
    {
        out[size_t(i)] = sum / divisor;
        sum += at(i + radius + 1) - at(i - radius);
    }
    for (; i < middleEnd; ++i)
    {
        out[size_t(i)] = sum / divisor;
        sum += in[i + radius + 1] - in[i - radius];
    }
    for (; i < n; ++i)
    {
        out[size_t(i)] = sum / divisor;
        sum += at(i + radius + 1) - at(i - radius);
    }
    line.swap(out);
}
} // namespace

void brushedMetal(Canvas& canvas, double x, double y, double w, double h, Rgba base, double strength, uint32_t seed)
{
    cairo_surface_t* s = canvas.surface();
    cairo_surface_flush(s);
    const double k = canvas.scale();
    const int x0 = static_cast<int>(x * k), y0 = static_cast<int>(y * k);
    const int pw = std::min(static_cast<int>(w * k), canvas.pixelWidth() - x0);
    const int ph = std::min(static_cast<int>(h * k), canvas.pixelHeight() - y0);
    // The streaks keep their length in points at every scale.
    const int streakRadius = std::max(1, static_cast<int>(std::lround(12.0 * k)));
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    Noise noise(seed);
    std::vector<double> streak(static_cast<size_t>(pw));
    double rowDrift = 0.0;
    for (int j = 0; j < ph; ++j)
    {
        // Each row: slow drift between rows, long streaks along the row, a little grain.
        rowDrift = rowDrift * 0.6 + noise.next() * 0.4;
        for (auto& v : streak)
            v = noise.next();
        boxBlurLine(streak, streakRadius);
        boxBlurLine(streak, streakRadius);
        unsigned char* row = data + (y0 + j) * stride;
        for (int i = 0; i < pw; ++i)
        {
            const double d = strength * (0.55 * rowDrift + 2.2 * streak[size_t(i)] + 0.25 * noise.next());
            const uint32_t px = 0xff000000u | (uint32_t(toByte(base.r + d)) << 16) | (uint32_t(toByte(base.g + d)) << 8) |
                                toByte(base.b + d);
            std::memcpy(row + 4 * (x0 + i), &px, 4);
        }
    }
    cairo_surface_mark_dirty(s);
}

void blur(cairo_surface_t* surface, int radius)
{
    if (radius < 1)
        return;
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int r = std::max(1, radius / 2);
    for (int channel = 0; channel < 4; ++channel)
    {
        std::vector<double> line;
        for (int j = 0; j < h; ++j)
        {
            line.assign(size_t(w), 0.0);
            for (int i = 0; i < w; ++i)
                line[size_t(i)] = data[j * stride + 4 * i + channel];
            for (int pass = 0; pass < 3; ++pass)
                boxBlurLine(line, r);
            for (int i = 0; i < w; ++i)
                data[j * stride + 4 * i + channel] = roundByte(line[size_t(i)]);
        }
        for (int i = 0; i < w; ++i)
        {
            line.assign(size_t(h), 0.0);
            for (int j = 0; j < h; ++j)
                line[size_t(j)] = data[j * stride + 4 * i + channel];
            for (int pass = 0; pass < 3; ++pass)
                boxBlurLine(line, r);
            for (int j = 0; j < h; ++j)
                data[j * stride + 4 * i + channel] = roundByte(line[size_t(j)]);
        }
    }
    cairo_surface_mark_dirty(surface);
}

void softShadow(Canvas& canvas, const std::function<void(cairo_t*)>& shape, double blurPoints, Rgba colour, double dx,
                double dy)
{
    // Below a pixel a blur still softens the edge a little, as it does at larger scales.
    const double radius = blurPoints * canvas.scale();
    const int blurRadius = radius >= 0.5 && radius < 1.0 ? 1 : static_cast<int>(radius);
    // Only the shape's surroundings are blurred: three box passes reach no further than this.
    const int reach = (blurRadius >= 1 ? 3 * std::max(1, blurRadius / 2) : 0) + 2;
    cairo_t* target = canvas.cr();
    cairo_path_t* kept = cairo_copy_path(target);
    cairo_save(target);
    cairo_new_path(target);
    cairo_translate(target, dx, dy);
    shape(target);
    double x1, y1, x2, y2;
    cairo_fill_extents(target, &x1, &y1, &x2, &y2);
    cairo_user_to_device(target, &x1, &y1);
    cairo_user_to_device(target, &x2, &y2);
    cairo_new_path(target);
    cairo_restore(target);
    cairo_append_path(target, kept);
    cairo_path_destroy(kept);
    const int left = std::max(0, static_cast<int>(std::floor(std::min(x1, x2))) - reach);
    const int top = std::max(0, static_cast<int>(std::floor(std::min(y1, y2))) - reach);
    const int right = std::min(canvas.pixelWidth(), static_cast<int>(std::ceil(std::max(x1, x2))) + reach);
    const int bottom = std::min(canvas.pixelHeight(), static_cast<int>(std::ceil(std::max(y1, y2))) + reach);
    if (right <= left || bottom <= top)
        return;
    cairo_surface_t* layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, right - left, bottom - top);
    cairo_t* cr = cairo_create(layer);
    cairo_translate(cr, -left, -top);
    cairo_scale(cr, canvas.scale(), canvas.scale());
    cairo_translate(cr, dx, dy);
    shape(cr);
    setColour(cr, colour);
    cairo_fill(cr);
    cairo_destroy(cr);
    blur(layer, blurRadius);
    cairo_save(target);
    cairo_identity_matrix(target);
    cairo_set_source_surface(target, layer, left, top);
    cairo_paint(target);
    cairo_restore(target);
    cairo_surface_destroy(layer);
}

void spunDisc(cairo_t* cr, double cx, double cy, double r, Rgba base, double sheen, double lightAngle)
{
    constexpr int kWedges = 360;
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    setColour(cr, base);
    cairo_paint(cr);
    for (int k = 0; k < kWedges; ++k)
    {
        const double a0 = 2 * M_PI * k / kWedges, a1 = 2 * M_PI * (k + 1.2) / kWedges;
        const double mid = (a0 + a1) / 2 - lightAngle;
        // Two highlights opposite each other, as on a turned surface.
        const double lit = std::pow(std::abs(std::cos(mid)), 6.0) * (0.55 + 0.45 * std::cos(mid));
        const double v = sheen * lit;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, r + 1, a0, a1);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, std::clamp(v, 0.0, 1.0));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void screw(Canvas& canvas, double cx, double cy, double r, double angle)
{
    cairo_t* cr = canvas.cr();
    // Countersink: a dark ring that catches light at the bottom edge.
    cairo_pattern_t* sink = cairo_pattern_create_linear(cx, cy - r * 1.35, cx, cy + r * 1.35);
    cairo_pattern_add_color_stop_rgba(sink, 0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(sink, 1, 1, 1, 1, 0.55);
    cairo_arc(cr, cx, cy, r * 1.3, 0, 2 * M_PI);
    cairo_set_source(cr, sink);
    cairo_fill(cr);
    cairo_pattern_destroy(sink);
    // Head.
    cairo_pattern_t* head = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.45, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(head, 0, 0.93, 0.93, 0.92);
    cairo_pattern_add_color_stop_rgb(head, 0.6, 0.70, 0.70, 0.69);
    cairo_pattern_add_color_stop_rgb(head, 1, 0.45, 0.45, 0.45);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    // Cross recess.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass)
    {
        const double off = pass == 0 ? 0.35 : 0.0;
        cairo_set_line_width(cr, r * 0.32);
        cairo_set_source_rgba(cr, pass == 0 ? 1 : 0.12, pass == 0 ? 1 : 0.12, pass == 0 ? 1 : 0.13, pass == 0 ? 0.5 : 0.9);
        cairo_move_to(cr, -r * 0.62, off);
        cairo_line_to(cr, r * 0.62, off);
        cairo_move_to(cr, 0, -r * 0.62 + off);
        cairo_line_to(cr, 0, r * 0.62 + off);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

} // namespace artwork

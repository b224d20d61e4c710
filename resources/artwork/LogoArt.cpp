#include "resources/artwork/Artwork.h"
#include "resources/artwork/Materials.h"

#include <cmath>

namespace artwork
{
namespace
{
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void fillVertical(cairo_t* cr, double y0, double y1, const Rgba& top, const Rgba& bottom)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void earCup(Canvas& canvas, double cx, double cy, bool left)
{
    cairo_t* cr = canvas.cr();
    softShadow(canvas, [&](cairo_t* c) { roundedRect(c, cx - 9, cy - 17, 18, 34, 8); }, 2.0, {0, 0, 0, 0.45}, 0, 2);
    roundedRect(cr, cx - 9, cy - 17, 18, 34, 8);
    fillVertical(cr, cy - 17, cy + 17, rgb(70, 70, 76), rgb(22, 22, 25));
    roundedRect(cr, cx + (left ? 2 : -7), cy - 12, 5, 24, 2.5);
    fillVertical(cr, cy - 12, cy + 12, rgb(226, 122, 52), rgb(160, 70, 28));
}
} // namespace

// A face with closed eyes and headphones, listening: the maker's designer mark.
std::unique_ptr<Canvas> drawDesignerLogo(double scale)
{
    auto canvas = std::make_unique<Canvas>(120, 120, scale);
    Canvas& c = *canvas;
    cairo_t* cr = c.cr();
    // Round badge.
    cairo_arc(cr, 60, 60, 58, 0, 2 * M_PI);
    fillVertical(cr, 2, 118, rgb(62, 92, 132), rgb(28, 40, 62));
    cairo_arc(cr, 60, 60, 57.4, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1.2);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_arc(cr, 60, 60, 57, 0, 2 * M_PI);
    cairo_clip(cr);
    // Shoulders and neck.
    ellipse(cr, 60, 124, 44, 26);
    fillVertical(cr, 98, 150, rgb(52, 52, 58), rgb(30, 30, 34));
    roundedRect(cr, 52, 80, 16, 22, 4);
    fillVertical(cr, 80, 102, rgb(206, 160, 128), rgb(170, 122, 94));
    // Head, hair.
    ellipse(cr, 60, 60, 23, 28);
    fillVertical(cr, 32, 88, rgb(240, 198, 164), rgb(214, 164, 128));
    cairo_move_to(cr, 36, 56);
    cairo_curve_to(cr, 34, 28, 56, 26, 66, 30);
    cairo_curve_to(cr, 80, 30, 88, 42, 84, 58);
    cairo_curve_to(cr, 78, 44, 64, 42, 52, 40);
    cairo_curve_to(cr, 46, 44, 40, 50, 36, 56);
    cairo_close_path(cr);
    fillVertical(cr, 26, 58, rgb(72, 50, 36), rgb(44, 30, 22));
    // Closed eyes, a quiet smile.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.6);
    cairo_set_source_rgb(cr, 0.32, 0.20, 0.14);
    for (double x : {50.0, 70.0})
    {
        cairo_move_to(cr, x - 4.5, 62);
        cairo_curve_to(cr, x - 2, 65, x + 2, 65, x + 4.5, 62);
    }
    cairo_stroke(cr);
    cairo_move_to(cr, 53, 75);
    cairo_curve_to(cr, 57, 79, 63, 79, 67, 75);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Headband over the head, then the cups.
    cairo_set_line_width(cr, 5.0);
    cairo_arc(cr, 60, 58, 30, M_PI * 1.02, M_PI * 1.98);
    cairo_set_source_rgb(cr, 0.12, 0.12, 0.14);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.2);
    cairo_arc(cr, 60, 58, 31.6, M_PI * 1.1, M_PI * 1.9);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    cairo_stroke(cr);
    earCup(c, 31, 62, true);
    earCup(c, 89, 62, false);
    return canvas;
}

} // namespace artwork

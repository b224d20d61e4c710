#include "resources/artwork/Artwork.h"
#include "resources/artwork/Layout.h"
#include "resources/artwork/Materials.h"

#include <cmath>

namespace artwork
{
namespace
{
using layout::pointerAngle;

// Light comes from above, a little from the left; on screen, clockwise from the x axis.
constexpr double kLight = -M_PI / 2 - 0.35;

void disc(cairo_t* cr, double cx, double cy, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
}

void shadeFromAbove(cairo_t* cr, double cx, double cy, double r, double top, double bottom)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(cx, cy - r, cx, cy + r);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, top);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, bottom);
    disc(cr, cx, cy, r);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// A bevelled edge: a light arc on the lit side and a dark one opposite.
void rimLight(cairo_t* cr, double cx, double cy, double r, double width, double light, double dark)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(cx, cy - r, cx, cy + r);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, light);
    cairo_pattern_add_color_stop_rgba(p, 0.55, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, dark);
    cairo_set_line_width(cr, width);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r - width / 2, 0, 2 * M_PI);
    cairo_set_source(cr, p);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
}

void knurl(cairo_t* cr, double cx, double cy, double r0, double r1, int grooves, double turn)
{
    cairo_save(cr);
    cairo_set_line_width(cr, 0.45);
    for (int g = 0; g < grooves; ++g)
    {
        const double a = turn + 2 * M_PI * g / grooves;
        // Grooves facing the light glint, the others stay dark.
        const double facing = 0.5 + 0.5 * std::cos(a - kLight);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.05 + 0.22 * facing * facing);
        cairo_move_to(cr, cx + r0 * std::cos(a), cy + r0 * std::sin(a));
        cairo_line_to(cr, cx + r1 * std::cos(a), cy + r1 * std::sin(a));
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void pointerLine(cairo_t* cr, double cx, double cy, double r0, double r1, double angle, double width, const Rgba& c)
{
    const double s = std::sin(angle), k = -std::cos(angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width + 0.8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_move_to(cr, cx + r0 * s, cy + r0 * k + 0.3);
    cairo_line_to(cr, cx + r1 * s, cy + r1 * k + 0.3);
    cairo_stroke(cr);
    cairo_set_line_width(cr, width);
    setColour(cr, c);
    cairo_move_to(cr, cx + r0 * s, cy + r0 * k);
    cairo_line_to(cr, cx + r1 * s, cy + r1 * k);
    cairo_stroke(cr);
}

// A black knob with a knurled skirt and a spun cap, its pointer at the given angle.
void blackKnob(Canvas& canvas, double cx, double cy, double skirt, double cap, double angle, const Rgba& pointer,
               double lightShift)
{
    cairo_t* cr = canvas.cr();
    softShadow(canvas, [&](cairo_t* c) { disc(c, cx, cy, skirt); }, skirt * 0.16, {0, 0, 0, 0.55}, 0, skirt * 0.11);
    softShadow(canvas, [&](cairo_t* c) { disc(c, cx, cy, skirt); }, 0.9, {0, 0, 0, 0.5}, 0, 0.6);
    disc(cr, cx, cy, skirt);
    cairo_set_source_rgb(cr, 0.075, 0.075, 0.082);
    cairo_fill(cr);
    knurl(cr, cx, cy, cap + (skirt - cap) * 0.35, skirt - 0.3, static_cast<int>(skirt * 3.2), angle);
    shadeFromAbove(cr, cx, cy, skirt, 0.16, 0.35);
    rimLight(cr, cx, cy, skirt, 0.8, 0.35, 0.5);
    // The cap stands on the skirt: a soft shadow ring, then the spun face.
    softShadow(canvas, [&](cairo_t* c) { disc(c, cx, cy, cap); }, 1.2, {0, 0, 0, 0.6}, 0, 0.8);
    spunDisc(cr, cx, cy, cap, rgb(30, 30, 33), 0.22, kLight + lightShift);
    shadeFromAbove(cr, cx, cy, cap, 0.10, 0.30);
    rimLight(cr, cx, cy, cap, 0.7, 0.55, 0.35);
    pointerLine(cr, cx, cy, cap * 0.38, cap - 1.4, angle, std::max(1.1, cap * 0.085), pointer);
    // The pointer continues on the skirt as a short mark.
    pointerLine(cr, cx, cy, cap + 1.3, skirt - 1.0, angle, std::max(0.9, cap * 0.06), pointer);
}

const Rgba kPointerCream = rgb(242, 238, 226);

void bigKnobFrame(Canvas& canvas, int k, int frames)
{
    const double v = frames > 1 ? double(k) / (frames - 1) : 0.0;
    blackKnob(canvas, 57, 57, 30.0, 23.5, pointerAngle(v), kPointerCream, 0.0);
}

void trimFrame(Canvas& canvas, int k, int frames, bool valve)
{
    const double v = double(k) / (frames - 1);
    blackKnob(canvas, 15.5, 15.5, 8.6, 6.3, pointerAngle(v), valve ? rgb(240, 160, 70) : kPointerCream,
              valve ? 0.9 : 0.0);
}

// A pointer ("chicken head") knob: a round hub with a tapered wing carrying a white inlay.
void ratioFrame(Canvas& canvas, int k, int frames)
{
    const double cx = 35, cy = 35;
    const double angle = pointerAngle(double(k) / (frames - 1));
    cairo_t* cr = canvas.cr();
    auto wing = [&](cairo_t* c) {
        cairo_save(c);
        cairo_translate(c, cx, cy);
        cairo_rotate(c, angle);
        cairo_move_to(c, -2.6, -21.5);
        cairo_curve_to(c, -1.2, -22.8, 1.2, -22.8, 2.6, -21.5);
        cairo_line_to(c, 8.2, 8.0);
        cairo_curve_to(c, 8.6, 14.5, -8.6, 14.5, -8.2, 8.0);
        cairo_close_path(c);
        cairo_restore(c);
    };
    auto hub = [&](cairo_t* c) { disc(c, cx, cy, 13.0); };
    softShadow(canvas, [&](cairo_t* c) { hub(c); wing(c); }, 2.4, {0, 0, 0, 0.55}, 0, 2.6);
    softShadow(canvas, [&](cairo_t* c) { hub(c); wing(c); }, 0.8, {0, 0, 0, 0.45}, 0, 0.6);
    hub(cr);
    cairo_set_source_rgb(cr, 0.07, 0.07, 0.075);
    cairo_fill(cr);
    knurl(cr, cx, cy, 10.5, 12.8, 42, angle);
    shadeFromAbove(cr, cx, cy, 13.0, 0.14, 0.35);
    rimLight(cr, cx, cy, 13.0, 0.7, 0.3, 0.45);
    // Wing: body, then a lit ridge along its top edge.
    softShadow(canvas, wing, 1.0, {0, 0, 0, 0.6}, 0, 0.9);
    wing(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(cx, cy - 22, cx, cy + 22);
    cairo_pattern_add_color_stop_rgb(body, 0, 0.25, 0.25, 0.27);
    cairo_pattern_add_color_stop_rgb(body, 0.5, 0.11, 0.11, 0.12);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.05, 0.05, 0.055);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    cairo_set_line_width(cr, 0.6);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
    cairo_stroke(cr);
    spunDisc(cr, cx, cy, 5.5, rgb(34, 34, 37), 0.25, kLight);
    rimLight(cr, cx, cy, 5.5, 0.6, 0.4, 0.4);
    pointerLine(cr, cx, cy, 7.5, 20.0, angle, 1.5, kPointerCream);
}
} // namespace

std::unique_ptr<Canvas> drawBigKnobFrame(double scale, int frame, int frames)
{
    auto canvas = std::make_unique<Canvas>(114, 114, scale);
    bigKnobFrame(*canvas, frame, frames);
    return canvas;
}

std::unique_ptr<Canvas> drawTrimKnobFrame(double scale, bool valve, int frame)
{
    auto canvas = std::make_unique<Canvas>(31, 31, scale);
    trimFrame(*canvas, frame, 7, valve);
    return canvas;
}

std::unique_ptr<Canvas> drawRatioKnobFrame(double scale, int frame)
{
    auto canvas = std::make_unique<Canvas>(70, 70, scale);
    ratioFrame(*canvas, frame, 7);
    return canvas;
}

} // namespace artwork

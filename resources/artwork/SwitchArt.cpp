#include "resources/artwork/Artwork.h"
#include "resources/artwork/Layout.h"
#include "resources/artwork/Materials.h"

#include <cmath>

namespace artwork
{
namespace
{
using namespace layout;

void hexagon(cairo_t* cr, double cx, double cy, double r, double turn)
{
    for (int i = 0; i < 6; ++i)
    {
        const double a = turn + i * M_PI / 3;
        if (i == 0)
            cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        else
            cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

// Path of the bat handle pointing up from the origin, as long as given.
void batPath(cairo_t* cr, double length)
{
    cairo_move_to(cr, -3.2, 0);
    cairo_line_to(cr, -2.1, -length);
    cairo_arc(cr, 0, -length, 2.1, M_PI, 2 * M_PI);
    cairo_line_to(cr, 3.2, 0);
    cairo_close_path(cr);
}

void lever(Canvas& canvas, double cx, double cy, double angle)
{
    cairo_t* cr = canvas.cr();
    constexpr double kLength = 24.0;
    // Nut and washer.
    softShadow(canvas, [&](cairo_t* c) { cairo_arc(c, cx, cy, 10.5, 0, 2 * M_PI); }, 1.8, {0, 0, 0, 0.5}, 0, 1.6);
    cairo_pattern_t* washer = cairo_pattern_create_linear(cx, cy - 10.5, cx, cy + 10.5);
    cairo_pattern_add_color_stop_rgb(washer, 0, 0.92, 0.92, 0.91);
    cairo_pattern_add_color_stop_rgb(washer, 1, 0.52, 0.52, 0.53);
    cairo_arc(cr, cx, cy, 10.5, 0, 2 * M_PI);
    cairo_set_source(cr, washer);
    cairo_fill(cr);
    cairo_pattern_destroy(washer);
    hexagon(cr, cx, cy, 8.2, M_PI / 6);
    cairo_pattern_t* nut = cairo_pattern_create_linear(cx - 8, cy - 8, cx + 8, cy + 8);
    cairo_pattern_add_color_stop_rgb(nut, 0, 0.95, 0.95, 0.94);
    cairo_pattern_add_color_stop_rgb(nut, 0.5, 0.70, 0.70, 0.70);
    cairo_pattern_add_color_stop_rgb(nut, 1, 0.40, 0.40, 0.41);
    cairo_set_source(cr, nut);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(nut);
    cairo_set_line_width(cr, 0.5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 4.6, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.18, 0.18, 0.19);
    cairo_fill(cr);
    // The bat: its shadow falls down and to the right, then the chrome body.
    softShadow(
        canvas,
        [&](cairo_t* c) {
            cairo_save(c);
            cairo_translate(c, cx, cy);
            cairo_rotate(c, angle);
            batPath(c, kLength);
            cairo_restore(c);
        },
        1.8, {0, 0, 0, 0.5}, 2.4, 3.2);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    batPath(cr, kLength);
    cairo_pattern_t* chrome = cairo_pattern_create_linear(-3.2, 0, 3.2, 0);
    cairo_pattern_add_color_stop_rgb(chrome, 0.0, 0.35, 0.35, 0.36);
    cairo_pattern_add_color_stop_rgb(chrome, 0.28, 0.98, 0.98, 0.97);
    cairo_pattern_add_color_stop_rgb(chrome, 0.45, 0.80, 0.80, 0.80);
    cairo_pattern_add_color_stop_rgb(chrome, 0.75, 0.42, 0.42, 0.43);
    cairo_pattern_add_color_stop_rgb(chrome, 1.0, 0.62, 0.62, 0.63);
    cairo_set_source(cr, chrome);
    cairo_fill(cr);
    cairo_pattern_destroy(chrome);
    // Ball end.
    cairo_pattern_t* ball = cairo_pattern_create_radial(-1.0, -kLength - 1.2, 0.3, 0, -kLength, 3.4);
    cairo_pattern_add_color_stop_rgb(ball, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(ball, 0.5, 0.72, 0.72, 0.72);
    cairo_pattern_add_color_stop_rgb(ball, 1, 0.32, 0.32, 0.33);
    cairo_arc(cr, 0, -kLength, 3.3, 0, 2 * M_PI);
    cairo_set_source(cr, ball);
    cairo_fill(cr);
    cairo_pattern_destroy(ball);
    cairo_restore(cr);
}
} // namespace

std::unique_ptr<Canvas> drawModeSwitchFrame(double scale, int position, cairo_surface_t* panel)
{
    const Box& s = kModeSwitch;
    // Each frame carries the panel under the switch, so it covers its rectangle seamlessly.
    auto frame = std::make_unique<Canvas>(s.width(), s.height(), scale);
    frame->blit(panel, s.left, s.top, s.width(), s.height(), 0, 0);
    lever(*frame, kLeverPivotX, kLeverPivotY, kLeverAngles[position]);
    return frame;
}

} // namespace artwork

#include "resources/artwork/Artwork.h"
#include "resources/artwork/Layout.h"
#include "resources/artwork/Materials.h"

#include <algorithm>
#include <cmath>

namespace artwork
{
namespace
{
using namespace layout;

// The needle's pivot in face coordinates.
constexpr double kPx = kNeedlePivotX - kMeter.left;
constexpr double kPy = kNeedlePivotY - kMeter.top;

void atRadius(double r, double value, double& x, double& y)
{
    const double a = needleAngle(value);
    x = kPx + r * std::cos(a);
    y = kPy - r * std::sin(a);
}

void scaleStroke(cairo_t* cr, double r0, double r1, double value, double width)
{
    double x0, y0, x1, y1;
    atRadius(r0, value, x0, y0);
    atRadius(r1, value, x1, y1);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

struct FaceInk
{
    Rgba ink;
    Rgba glow;     // alpha 0: no glow
    Rgba centre;   // background where the light is strongest
    Rgba edge;
};

void printScale(Canvas& canvas, const FaceInk& look, bool glowPass)
{
    cairo_t* cr = canvas.cr();
    constexpr double kArc = 70.0;
    const Rgba ink = glowPass ? look.glow : look.ink;
    const double extra = glowPass ? 1.6 : 0.0;
    setColour(cr, ink);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, 0.8 + extra);
    cairo_new_path(cr);
    cairo_arc(cr, kPx, kPy, kArc, -needleAngle(0.0), -needleAngle(1.0));
    cairo_stroke(cr);
    const int major[] = {0, -3, -6, -12, -24};
    const int minor[] = {-1, -2, -4, -5, -8, -10, -16, -20};
    for (int db : major)
        scaleStroke(cr, kArc - 1.2, kArc + 5.5, meterValueForDb(db), 1.1 + extra);
    for (int db : minor)
        scaleStroke(cr, kArc, kArc + 3.0, meterValueForDb(db), 0.7 + extra);
    // Beyond -24 the meter has no more marks: a short thick bar ends the scale.
    scaleStroke(cr, kArc - 1.2, kArc + 2.0, 1.0, 2.2 + extra);
    if (glowPass)
        return;
    const TextStyle numbers{"Liberation Sans", 6.4, true, false, 0.0, ink};
    for (int db : major)
    {
        double x, y;
        atRadius(kArc + 13.0, meterValueForDb(db), x, y);
        const std::string text = db == 0 ? "0" : "\u2212" + std::to_string(-db);
        // The minus sign is not counted when centring, so the digits sit over their mark.
        const double minusWidth = db == 0 ? 0.0 : canvas.textWidth("\u2212", numbers);
        canvas.text(text, x - minusWidth / 2.0, y, numbers);
    }
    canvas.text("G R", kPx, 33.5, {"Liberation Sans", 6.0, true, false, 1.2, ink});
    canvas.text("dB", kPx + 38.0, 33.5, {"Liberation Sans", 5.0, false, false, 0.4, ink});
}

std::unique_ptr<Canvas> face(const FaceInk& look, bool lit, double scale)
{
    auto canvas = std::make_unique<Canvas>(kMeter.width(), kMeter.height(), scale);
    cairo_t* cr = canvas->cr();
    const double w = kMeter.width(), h = kMeter.height();
    // Back-light: strongest low in the middle, where the lamp sits.
    cairo_pattern_t* light = cairo_pattern_create_radial(kPx, h + 6, 4, kPx, h + 6, 78);
    cairo_pattern_add_color_stop_rgb(light, 0, look.centre.r, look.centre.g, look.centre.b);
    cairo_pattern_add_color_stop_rgb(light, 1, look.edge.r, look.edge.g, look.edge.b);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    if (lit)
    {
        // Soft glow of the printed scale: a blurred wider copy under the ink.
        Canvas glow(w, h, scale);
        printScale(glow, look, true);
        blur(glow.surface(), std::max(1, static_cast<int>(2.5 * scale)));
        cairo_save(cr);
        cairo_identity_matrix(cr);
        cairo_set_source_surface(cr, glow.surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    printScale(*canvas, look, false);
    // Glass: a faint reflection across the top and the shade of the bezel at the edges.
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgba(glass, 0, 1, 1, 1, 0.10);
    cairo_pattern_add_color_stop_rgba(glass, 0.42, 1, 1, 1, 0.03);
    cairo_pattern_add_color_stop_rgba(glass, 0.43, 1, 1, 1, 0.0);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    for (int side = 0; side < 4; ++side)
    {
        cairo_pattern_t* shade = side == 0   ? cairo_pattern_create_linear(0, 0, 0, 6)
                                 : side == 1 ? cairo_pattern_create_linear(0, 0, 5, 0)
                                 : side == 2 ? cairo_pattern_create_linear(w, 0, w - 5, 0)
                                             : cairo_pattern_create_linear(0, h, 0, h - 3);
        cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, side == 0 ? 0.55 : 0.4);
        cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_set_source(cr, shade);
        cairo_fill(cr);
        cairo_pattern_destroy(shade);
    }
    return canvas;
}
} // namespace

std::unique_ptr<Canvas> drawMeterFace(bool lit, double scale)
{
    if (lit)
        return face({rgb(255, 196, 112), rgb(255, 150, 40, 0.55), rgb(104, 62, 22), rgb(30, 19, 10)}, true, scale);
    return face({rgb(112, 122, 132), rgb(0, 0, 0, 0), rgb(40, 44, 50), rgb(15, 16, 19)}, false, scale);
}

} // namespace artwork

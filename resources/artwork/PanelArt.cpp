#include "resources/artwork/Artwork.h"
#include "resources/artwork/Layout.h"
#include "resources/artwork/Materials.h"

#include "vellaCor/vellaCorIdentity.h"

#include <cmath>
#include <string>

namespace artwork
{
namespace
{
using namespace layout;

// Point at distance r from (cx, cy) along a pointer angle (from straight up, clockwise).
void polar(double cx, double cy, double r, double angle, double& x, double& y)
{
    x = cx + r * std::sin(angle);
    y = cy - r * std::cos(angle);
}

void tick(cairo_t* cr, double cx, double cy, double r0, double r1, double angle, double width, const Rgba& c)
{
    double x0, y0, x1, y1;
    polar(cx, cy, r0, angle, x0, y0);
    polar(cx, cy, r1, angle, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width);
    // Printed ink with a faint light edge below, like the lettering.
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_move_to(cr, x0, y0 + 0.45);
    cairo_line_to(cr, x1, y1 + 0.45);
    cairo_stroke(cr);
    setColour(cr, c);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

// A seat cut into the panel around a knob: dark above, light below.
void knobSeat(cairo_t* cr, double cx, double cy, double r)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(cx, cy - r, cx, cy + r);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0.30);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 0, 0, 0, 0.10);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.55);
    cairo_set_line_width(cr, 1.1);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, p);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
}

struct Scale
{
    int lastNumber;    // numbers 0..lastNumber
    int numberStep;    // a number every so many units
    double tickStep;   // a minor tick every so many units
};

void bigKnobScale(Canvas& canvas, const Box& knob, const Scale& scale, const char* label)
{
    cairo_t* cr = canvas.cr();
    const double cx = knob.cx(), cy = knob.cy();
    knobSeat(cr, cx, cy, 32.5);
    const TextStyle numbers{"Liberation Sans", 7.5, true, false, 0.0, kLegendInk};
    const int minorCount = static_cast<int>(std::lround(scale.lastNumber / scale.tickStep));
    for (int i = 0; i <= minorCount; ++i)
    {
        const double unit = i * scale.tickStep;
        const double a = pointerAngle(unit / scale.lastNumber);
        const bool major = std::fmod(unit + 1e-9, scale.numberStep) < 1e-6;
        tick(cr, cx, cy, 35.0, major ? 39.0 : 37.2, a, major ? 1.2 : 0.7, kLegendInk);
        if (major)
        {
            double x, y;
            polar(cx, cy, 45.5, a, x, y);
            canvas.engraved(std::to_string(static_cast<int>(std::lround(unit))), x, y, numbers);
        }
    }
    const TextStyle caption{"Liberation Sans", 7.0, true, false, 1.3, kLegendInk};
    canvas.engraved(label, cx, cy + 45.0, caption);
}

void stepScale(Canvas& canvas, double cx, double cy, double rTick, int steps)
{
    cairo_t* cr = canvas.cr();
    for (int s = 0; s < steps; ++s)
        tick(cr, cx, cy, rTick, rTick + 2.6, pointerAngle(double(s) / (steps - 1)), 0.9, kLegendInk);
}

void ratioLegend(Canvas& canvas)
{
    const Box& k = kRatioKnob;
    const char* texts[7] = {"1.2", "1.5", "2", "3", "4", "6", "10"};
    stepScale(canvas, k.cx(), k.cy(), 23.5, 7);
    const TextStyle numbers{"Liberation Sans", 7.0, true, false, 0.0, kLegendInk};
    for (int s = 0; s < 7; ++s)
    {
        // Wide labels beside the knob stand further out, so that none touches its tick.
        const double a = pointerAngle(s / 6.0);
        double x, y;
        polar(k.cx(), k.cy(), 29.5 + std::abs(std::sin(a)) * canvas.textWidth(texts[s], numbers) / 2.0, a, x, y);
        canvas.engraved(texts[s], x, y, numbers);
    }
    canvas.engraved("RATIO", k.cx(), k.cy() + 28.5, {"Liberation Sans", 6.5, true, false, 1.2, kLegendInk});
}

void trimMarks(Canvas& canvas, const Box& trim)
{
    cairo_t* cr = canvas.cr();
    const double cx = trim.cx(), cy = trim.cy();
    for (int s = 1; s < 6; ++s)
    {
        double x, y;
        polar(cx, cy, 12.6, pointerAngle(s / 6.0), x, y);
        cairo_new_path(cr);
        cairo_arc(cr, x, y + 0.4, 0.75, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
        cairo_fill(cr);
        cairo_arc(cr, x, y, 0.75, 0, 2 * M_PI);
        setColour(cr, kLegendInk);
        cairo_fill(cr);
    }
    const TextStyle sign{"Liberation Sans", 7.5, true, false, 0.0, kLegendInk};
    double x, y;
    polar(cx, cy, 12.8, pointerAngle(0.0), x, y);
    canvas.engraved("\u2212", x, y, sign);
    polar(cx, cy, 12.8, pointerAngle(1.0), x, y);
    canvas.engraved("+", x, y, sign);
}

void modeLegend(Canvas& canvas)
{
    const Box& s = kModeSwitch;
    const char* names[3] = {"VALVE", "CLEAR", "OFF"};
    const TextStyle style{"Liberation Sans", 6.6, true, false, 0.9, kLegendInk};
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < 3; ++i)
    {
        // Each name stands on the line from the pivot through its lever position.
        double x, y;
        polar(s.left + kLeverPivotX, s.top + kLeverPivotY, 38.5, kLeverAngles[i], x, y);
        canvas.engraved(names[i], x, y, style);
        double dx, dy;
        polar(s.left + kLeverPivotX, s.top + kLeverPivotY, 29.0, kLeverAngles[i], dx, dy);
        cairo_new_path(cr);
        cairo_arc(cr, dx, dy + 0.4, 1.1, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
        cairo_fill(cr);
        cairo_arc(cr, dx, dy, 1.1, 0, 2 * M_PI);
        setColour(cr, i == 0 ? rgb(176, 84, 34) : kLegendInk);
        cairo_fill(cr);
    }
    // A faint washer ring under the lever's nut.
    knobSeat(cr, s.left + kLeverPivotX, s.top + kLeverPivotY, 12.5);
}

void meterBezel(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const Box& m = kMeter;
    softShadow(
        canvas, [&](cairo_t* c) { roundedRect(c, m.left - 5, m.top - 5, m.width() + 10, m.height() + 10, 5); }, 2.5,
        {0, 0, 0, 0.45}, 0, 1.5);
    // Chrome rim.
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, m.top - 5, 0, m.bottom + 5);
    cairo_pattern_add_color_stop_rgb(rim, 0, 0.93, 0.93, 0.92);
    cairo_pattern_add_color_stop_rgb(rim, 0.45, 0.62, 0.62, 0.62);
    cairo_pattern_add_color_stop_rgb(rim, 0.55, 0.50, 0.50, 0.51);
    cairo_pattern_add_color_stop_rgb(rim, 1, 0.82, 0.82, 0.81);
    roundedRect(cr, m.left - 5, m.top - 5, m.width() + 10, m.height() + 10, 5);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    // Recess the face sits in.
    roundedRect(cr, m.left - 2, m.top - 2, m.width() + 4, m.height() + 4, 2.5);
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.06);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.09, 0.08, 0.07);
    cairo_rectangle(cr, m.left, m.top, m.width(), m.height());
    cairo_fill(cr);
}

void productName(Canvas& canvas)
{
    const Box& n = kNameButton;
    const TextStyle maker{"Liberation Sans", 21.0, false, false, 0.4, rgb(70, 70, 74)};
    const TextStyle product{"Liberation Sans", 21.0, true, false, 0.2, rgb(36, 36, 40)};
    const std::string first = "Qor ";
    const std::string second = "vellaCor";
    const double w1 = canvas.textWidth(first, maker), w2 = canvas.textWidth(second, product);
    const double left = n.cx() - (w1 + w2) / 2.0;
    const double y = n.top + 15.5;
    canvas.engraved(first, left, y, maker, Align::kLeft, 0.7);
    canvas.engraved(second, left + w1, y, product, Align::kLeft, 0.7);
    const TextStyle sub{"Liberation Sans", 6.2, true, false, 2.6, rgb(110, 56, 28)};
    const double subY = n.top + 32.0;
    canvas.engraved("OPTO COMPRESSOR", n.cx(), subY, sub, Align::kCentre, 0.6);
    const double half = canvas.textWidth("OPTO COMPRESSOR", sub) / 2.0 + 7.0;
    cairo_t* cr = canvas.cr();
    for (int side = -1; side <= 1; side += 2)
    {
        const double x0 = n.cx() + side * half, x1 = n.cx() + side * (half + 34.0);
        cairo_set_line_width(cr, 0.6);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
        cairo_move_to(cr, x0, subY + 0.5);
        cairo_line_to(cr, x1, subY + 0.5);
        cairo_stroke(cr);
        setColour(cr, rgb(110, 56, 28, 0.8));
        cairo_move_to(cr, x0, subY);
        cairo_line_to(cr, x1, subY);
        cairo_stroke(cr);
    }
}

void panelLight(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double w = kPanelWidth, h = kPanelHeight;
    cairo_pattern_t* light = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.16);
    cairo_pattern_add_color_stop_rgba(light, 0.35, 1, 1, 1, 0.02);
    cairo_pattern_add_color_stop_rgba(light, 1, 0, 0, 0, 0.16);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    cairo_pattern_t* sheen = cairo_pattern_create_radial(w * 0.42, -h * 0.2, 10, w * 0.42, -h * 0.2, w * 0.75);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.14);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.0);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    // Edges: a light top lip, darker sides and bottom.
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
    cairo_move_to(cr, 0, 0.5);
    cairo_line_to(cr, w, 0.5);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_move_to(cr, 0, h - 0.5);
    cairo_line_to(cr, w, h - 0.5);
    cairo_move_to(cr, 0.5, 0);
    cairo_line_to(cr, 0.5, h);
    cairo_move_to(cr, w - 0.5, 0);
    cairo_line_to(cr, w - 0.5, h);
    cairo_stroke(cr);
}
} // namespace

std::unique_ptr<Canvas> drawPanel(double scale)
{
    auto canvas = std::make_unique<Canvas>(kPanelWidth, kPanelHeight, scale);
    brushedMetal(*canvas, 0, 0, kPanelWidth, kPanelHeight, kPanelBase, 0.016, 12128);
    panelLight(*canvas);
    for (const auto& [x, y, a] : {std::tuple{9.0, 9.0, 0.3}, {391.0, 9.0, 1.1}, {9.0, 266.0, 0.8}, {391.0, 266.0, 0.1}})
        screw(*canvas, x, y, 3.6, a);
    productName(*canvas);
    meterBezel(*canvas);
    ratioLegend(*canvas);
    trimMarks(*canvas, kAttackTrim);
    trimMarks(*canvas, kValveTrim);
    const TextStyle small{"Liberation Sans", 6.2, true, false, 1.0, kLegendInk};
    canvas->engraved("ATT/REL", kAttackTrim.right + 2.5, kAttackTrim.cy() - 0.5, small, Align::kLeft);
    canvas->engraved("VALVE LEVEL", kValveTrim.cx(), kValveTrim.bottom + 6.0, small);
    modeLegend(*canvas);
    bigKnobScale(*canvas, kTimeKnob, {10, 1, 0.5}, "TIME");
    bigKnobScale(*canvas, kCompressionKnob, {10, 1, 0.5}, "COMPRESSION");
    bigKnobScale(*canvas, kOutputKnob, {30, 5, 1.0}, "OUTPUT");
    canvas->engraved("GAIN REDUCTION", kMeter.cx(), kMeter.bottom + 11.5, small);
    TextStyle maker{"Liberation Sans", 5.8, true, false, 2.4, rgb(90, 90, 94)};
    std::string name = vellaCorIdentity::kMakerName;
    for (auto& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    canvas->engraved(name, kPanelWidth / 2.0, 266.5, maker);
    return canvas;
}

} // namespace artwork

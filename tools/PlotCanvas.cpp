#include "tools/PlotCanvas.h"

#include "tools/CliError.h"

#include <cmath>
#include <cstdio>

namespace
{
const PlotColour kInk{0.86, 0.88, 0.90};
const PlotColour kMuted{0.55, 0.58, 0.62};
const PlotColour kGrid{1.0, 1.0, 1.0, 0.07};
const PlotColour kPanel{0.115, 0.125, 0.14};

void setColour(cairo_t* cr, PlotColour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }
} // namespace

double PlotPanel::px(double v) const
{
    const double t = logX ? (std::log10(v) - std::log10(xMin)) / (std::log10(xMax) - std::log10(xMin))
                          : (v - xMin) / (xMax - xMin);
    return x + t * width;
}

double PlotPanel::py(double v) const { return y + height - (v - yMin) / (yMax - yMin) * height; }

std::string formatNumber(double v, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

PlotCanvas::PlotCanvas(int width, int height)
    : width_(width), height_(height), surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_))
{
    cairo_pattern_t* bg = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(bg, 0.0, 0.075, 0.08, 0.09);
    cairo_pattern_add_color_stop_rgb(bg, 1.0, 0.05, 0.055, 0.065);
    cairo_set_source(cr_, bg);
    cairo_paint(cr_);
    cairo_pattern_destroy(bg);
}

PlotCanvas::~PlotCanvas()
{
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void PlotCanvas::text(double x, double y, const std::string& s, double size, Align align, PlotColour colour,
                      bool bold, double angle)
{
    cairo_save(cr_);
    cairo_select_font_face(cr_, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr_, s.c_str(), &e);
    cairo_translate(cr_, x, y);
    cairo_rotate(cr_, angle);
    const double dx = align == Align::Left ? 0.0 : align == Align::Centre ? -e.x_advance / 2.0 : -e.x_advance;
    cairo_move_to(cr_, dx, 0.0);
    setColour(cr_, colour);
    cairo_show_text(cr_, s.c_str());
    cairo_restore(cr_);
}

void PlotCanvas::title(const std::string& heading, const std::string& subheading)
{
    text(40, 46, heading, 26, Align::Left, kInk, true);
    text(40, 76, subheading, 16, Align::Left, kMuted);
}

void PlotCanvas::frame(const PlotPanel& p, const std::string& heading, const std::string& xLabel,
                       const std::string& yLabel, const std::vector<double>& xTicks, const std::vector<double>& yTicks,
                       const std::function<std::string(double)>& xText,
                       const std::function<std::string(double)>& yText)
{
    setColour(cr_, kPanel);
    cairo_rectangle(cr_, p.x, p.y, p.width, p.height);
    cairo_fill(cr_);
    cairo_set_line_width(cr_, 1.0);
    for (double t : xTicks)
    {
        setColour(cr_, kGrid);
        cairo_move_to(cr_, std::round(p.px(t)) + 0.5, p.y);
        cairo_line_to(cr_, std::round(p.px(t)) + 0.5, p.y + p.height);
        cairo_stroke(cr_);
        text(p.px(t), p.y + p.height + 20, xText(t), 13, Align::Centre, kMuted);
    }
    for (double t : yTicks)
    {
        setColour(cr_, kGrid);
        cairo_move_to(cr_, p.x, std::round(p.py(t)) + 0.5);
        cairo_line_to(cr_, p.x + p.width, std::round(p.py(t)) + 0.5);
        cairo_stroke(cr_);
        text(p.x - 10, p.py(t) + 4.5, yText(t), 13, Align::Right, kMuted);
    }
    setColour(cr_, PlotColour{1, 1, 1, 0.18});
    cairo_rectangle(cr_, p.x + 0.5, p.y + 0.5, p.width - 1, p.height - 1);
    cairo_stroke(cr_);
    text(p.x, p.y - 10, heading, 15, Align::Left, kInk, true);
    if (!xLabel.empty())
        text(p.x + p.width, p.y + p.height + 40, xLabel, 13, Align::Right, kMuted);
    text(p.x - 62, p.y + p.height / 2.0, yLabel, 13, Align::Centre, kMuted, false, -M_PI / 2.0);
}

void PlotCanvas::line(const PlotPanel& p, const std::vector<double>& xs, const std::vector<double>& ys,
                      PlotColour colour, double width)
{
    cairo_save(cr_);
    cairo_rectangle(cr_, p.x, p.y, p.width, p.height);
    cairo_clip(cr_);
    bool started = false;
    for (size_t i = 0; i < xs.size() && i < ys.size(); ++i)
    {
        if (!std::isfinite(ys[i]))
        {
            started = false;
            continue;
        }
        const double y = std::fmax(-1e6, std::fmin(1e6, p.py(ys[i])));
        if (started)
            cairo_line_to(cr_, p.px(xs[i]), y);
        else
            cairo_move_to(cr_, p.px(xs[i]), y);
        started = true;
    }
    setColour(cr_, colour);
    cairo_set_line_width(cr_, width);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr_);
    cairo_restore(cr_);
}

void PlotCanvas::legend(double x, double y, const std::vector<std::pair<std::string, PlotColour>>& entries)
{
    for (const auto& [label, colour] : entries)
    {
        setColour(cr_, colour);
        cairo_set_line_width(cr_, 3.0);
        cairo_move_to(cr_, x, y - 4);
        cairo_line_to(cr_, x + 24, y - 4);
        cairo_stroke(cr_);
        text(x + 32, y, label, 13, Align::Left, kInk);
        y += 20;
    }
}

std::vector<uint8_t> PlotCanvas::pngBytes() const
{
    cairo_surface_flush(surface_);
    std::vector<uint8_t> bytes;
    const auto append = [](void* closure, const unsigned char* data, unsigned int length)
    {
        auto* out = static_cast<std::vector<uint8_t>*>(closure);
        out->insert(out->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
    };
    if (cairo_surface_write_to_png_stream(surface_, append, &bytes) != CAIRO_STATUS_SUCCESS)
        throw CliError("cannot encode the picture");
    return bytes;
}

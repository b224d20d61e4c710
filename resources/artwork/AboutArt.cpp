#include "resources/artwork/Artwork.h"
#include "resources/artwork/Layout.h"
#include "resources/artwork/Materials.h"

#include "vellaCor/vellaCorIdentity.h"

#include <string>

namespace artwork
{
namespace
{
using namespace layout;

// The address as people read it: no scheme.
std::string shownAddress()
{
    std::string a = vellaCorIdentity::kMakerWebAddress;
    for (const char* scheme : {"https://", "http://"})
        if (a.rfind(scheme, 0) == 0)
            a = a.substr(std::string(scheme).size());
    return a;
}
} // namespace

std::unique_ptr<Canvas> drawAboutPlate(double scale)
{
    const double w = kPanelWidth, h = kPanelHeight;
    auto canvas = std::make_unique<Canvas>(w, h, scale);
    Canvas& c = *canvas;
    cairo_t* cr = c.cr();
    brushedMetal(c, 0, 0, w, h, rgb(44, 44, 48), 0.010, 12200);
    cairo_pattern_t* light = cairo_pattern_create_radial(w / 2, h * 0.32, 20, w / 2, h * 0.32, w * 0.62);
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.07);
    cairo_pattern_add_color_stop_rgba(light, 1, 0, 0, 0, 0.35);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    // A raised inner plate.
    softShadow(c, [&](cairo_t* s) { roundedRect(s, 14, 14, w - 28, h - 28, 6); }, 3.0, {0, 0, 0, 0.6}, 0, 2.0);
    roundedRect(cr, 14, 14, w - 28, h - 28, 6);
    cairo_pattern_t* plate = cairo_pattern_create_linear(0, 14, 0, h - 14);
    cairo_pattern_add_color_stop_rgb(plate, 0, 0.19, 0.19, 0.205);
    cairo_pattern_add_color_stop_rgb(plate, 1, 0.11, 0.11, 0.12);
    cairo_set_source(cr, plate);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(plate);
    cairo_set_line_width(cr, 1.0);
    cairo_pattern_t* edge = cairo_pattern_create_linear(0, 14, 0, h - 14);
    cairo_pattern_add_color_stop_rgba(edge, 0, 1, 1, 1, 0.22);
    cairo_pattern_add_color_stop_rgba(edge, 1, 0, 0, 0, 0.5);
    cairo_set_source(cr, edge);
    cairo_stroke(cr);
    cairo_pattern_destroy(edge);
    // The top screws sit below the configuration menu's tab row (29 points), which stays over
    // the plate on its "Plugin info" page; the bottom ones mirror them.
    for (const auto& [x, y, a] : {std::tuple{26.0, 42.0, 0.5}, {374.0, 42.0, 1.2}, {26.0, 233.0, 0.2}, {374.0, 233.0, 0.9}})
        screw(c, x, y, 4.0, a);

    const Rgba text = rgb(200, 200, 200);
    const TextStyle maker{"Liberation Sans", 28.0, false, false, 0.4, rgb(150, 150, 155)};
    const TextStyle product{"Liberation Sans", 28.0, true, false, 0.2, rgb(236, 236, 236)};
    const std::string first = "Qor ", second = "vellaCor";
    const double w1 = c.textWidth(first, maker), w2 = c.textWidth(second, product);
    const double left = w / 2 - (w1 + w2) / 2;
    c.text(first, left, 74, maker, Align::kLeft);
    c.text(second, left + w1, 74, product, Align::kLeft);
    c.text("OPTO COMPRESSOR", w / 2, 96, {"Liberation Sans", 7.5, true, false, 3.0, rgb(214, 128, 60)});
    cairo_set_line_width(cr, 0.6);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.16);
    cairo_move_to(cr, 120, 108.5);
    cairo_line_to(cr, 280, 108.5);
    cairo_stroke(cr);
    c.text(std::string("by ") + vellaCorIdentity::kMakerName, w / 2, 119, {"Liberation Sans", 10.0, false, false, 0.6, text});
    // The web address, inside the link area so that a click on it opens the site; the
    // underline the control draws on hover sits 4 points above the area's bottom.
    const Box& link = kAboutLink;
    c.text(shownAddress(), link.cx(), link.bottom - 12.0, {"Liberation Sans", 11.0, false, false, 0.3, rgb(120, 182, 224)});
    c.text("Click anywhere to close", w / 2, 236, {"Liberation Sans", 7.0, false, false, 0.5, rgb(120, 120, 124)});
    return canvas;
}

} // namespace artwork

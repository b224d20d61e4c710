#include "resources/artwork/Canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace artwork
{
namespace
{
PangoLayout* layoutFor(cairo_t* cr, const std::string& s, const TextStyle& style, double scale)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    // Below the committed resolution the legends are only a few pixels tall: the font's own
    // hinting keeps their strokes on whole pixels (the layout keeps its proportions).
    cairo_font_options_set_hint_style(options, scale < Canvas::kScale ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout);
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, style.family);
    pango_font_description_set_absolute_size(font, style.size * PANGO_SCALE);
    pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(font, style.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    if (style.tracking != 0.0)
    {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(static_cast<int>(style.tracking * PANGO_SCALE)));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    pango_layout_set_text(layout, s.c_str(), -1);
    return layout;
}
} // namespace

void setColour(cairo_t* cr, const Rgba& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

Canvas::Canvas(double w, double h, double scale)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(1, static_cast<int>(std::lround(w * scale))),
                                          std::max(1, static_cast<int>(std::lround(h * scale))))),
      cr_(cairo_create(surface_)), width_(w), height_(h), scale_(scale)
{
    cairo_scale(cr_, scale, scale);
}

Canvas::~Canvas()
{
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

bool Canvas::writePng(const std::string& path) const
{
    cairo_surface_flush(surface_);
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

double Canvas::textWidth(const std::string& s, const TextStyle& style)
{
    PangoLayout* layout = layoutFor(cr_, s, style, scale_);
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    g_object_unref(layout);
    return logical.width / double(PANGO_SCALE) - style.tracking;
}

void Canvas::text(const std::string& s, double x, double y, const TextStyle& style, Align align)
{
    PangoLayout* layout = layoutFor(cr_, s, style, scale_);
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    // Trailing letter spacing is not part of the word's visible width.
    const double w = logical.width / double(PANGO_SCALE) - style.tracking;
    const double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);
    // Centre the capital height on y, so labels line up whatever their descenders.
    const double capHeight = style.size * 0.716;
    double left = x;
    if (align == Align::kCentre)
        left = x - w / 2.0;
    else if (align == Align::kRight)
        left = x - w;
    cairo_save(cr_);
    setColour(cr_, style.colour);
    // The baseline on a whole pixel below the committed resolution, so that it stays a sharp edge.
    double top = y + capHeight / 2.0 - baseline;
    if (scale_ < kScale)
        top = std::round((top + baseline) * scale_) / scale_ - baseline;
    cairo_move_to(cr_, left, top);
    pango_cairo_show_layout(cr_, layout);
    cairo_new_path(cr_);
    cairo_restore(cr_);
    g_object_unref(layout);
}

void Canvas::engraved(const std::string& s, double x, double y, TextStyle style, Align align, double highlight)
{
    const Rgba ink = style.colour;
    style.colour = {1.0, 1.0, 1.0, highlight};
    // At least a pixel lower, or the light edge only blurs the letters.
    text(s, x, y + std::max(0.5, 1.0 / scale_), style, align);
    style.colour = ink;
    text(s, x, y, style, align);
}

void Canvas::blit(const Canvas& from, double sx, double sy, double sw, double sh, double x, double y)
{
    blit(from.surface(), sx, sy, sw, sh, x, y);
}

void Canvas::blit(cairo_surface_t* from, double sx, double sy, double sw, double sh, double x, double y)
{
    const auto px = [this](double points) { return std::round(points * scale_); };
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_rectangle(cr_, px(x), px(y), px(x + sw) - px(x), px(y + sh) - px(y));
    cairo_clip(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr_, from, px(x) - px(sx), px(y) - px(sy));
    cairo_paint(cr_);
    cairo_restore(cr_);
}

} // namespace artwork

#include "QORLIB/gui/toolkit/DrawContext.h"

#include "QORLIB/gui/toolkit/Bitmap.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <memory>

namespace qortk
{
namespace
{
struct LayoutDeleter
{
    void operator()(PangoLayout* l) const { g_object_unref(l); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutDeleter>;

// Unhinted metrics so that text keeps its proportions at every zoom.
LayoutPtr makeLayout(cairo_t* cr, const FontDesc& font, std::string_view text, bool antialias)
{
    LayoutPtr layout(pango_cairo_create_layout(cr));
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout.get()), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout.get());
    pango_layout_set_font_description(layout.get(), font.pango());
    pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
    return layout;
}
} // namespace

DrawContext::DrawContext(cairo_t* cr) : cr_(cr) {}

DrawContext::~DrawContext()
{
    while (depth_-- > 0)
        cairo_restore(cr_);
}

void DrawContext::setAntialias(bool on)
{
    antialias_ = on;
    cairo_set_antialias(cr_, on ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void DrawContext::setSource(Colour c)
{
    cairo_set_source_rgba(cr_, c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0 * globalAlpha_);
}

void DrawContext::drawLine(Point from, Point to)
{
    setSource(frame_);
    cairo_set_line_width(cr_, lineWidth_);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr_, from.x, from.y);
    cairo_line_to(cr_, to.x, to.y);
    cairo_stroke(cr_);
}

void DrawContext::drawRect(const Rect& r, DrawStyle style)
{
    if (style != kStroked)
    {
        setSource(fill_);
        cairo_rectangle(cr_, r.left, r.top, r.width(), r.height());
        cairo_fill(cr_);
    }
    if (style != kFilled)
    {
        // Inside the rectangle, so that a framed and a filled rectangle cover the same area.
        const double h = lineWidth_ / 2.0;
        setSource(frame_);
        cairo_set_line_width(cr_, lineWidth_);
        cairo_rectangle(cr_, r.left + h, r.top + h, r.width() - lineWidth_, r.height() - lineWidth_);
        cairo_stroke(cr_);
    }
}

void DrawContext::roundRectPath(const Rect& r, double radius)
{
    const double rad = std::max(0.0, std::min(radius, std::min(r.width(), r.height()) / 2.0));
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, r.right - rad, r.top + rad, rad, -M_PI / 2, 0);
    cairo_arc(cr_, r.right - rad, r.bottom - rad, rad, 0, M_PI / 2);
    cairo_arc(cr_, r.left + rad, r.bottom - rad, rad, M_PI / 2, M_PI);
    cairo_arc(cr_, r.left + rad, r.top + rad, rad, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr_);
}

void DrawContext::drawRoundRect(const Rect& r, double radius, DrawStyle style)
{
    if (style != kStroked)
    {
        setSource(fill_);
        roundRectPath(r, radius);
        cairo_fill(cr_);
    }
    if (style != kFilled)
    {
        const double h = lineWidth_ / 2.0;
        setSource(frame_);
        cairo_set_line_width(cr_, lineWidth_);
        roundRectPath(r.inset(h, h), radius - h);
        cairo_stroke(cr_);
    }
}

void DrawContext::drawPolygon(const Point* points, int count, DrawStyle style)
{
    if (count < 2)
        return;
    auto path = [&] {
        cairo_new_path(cr_);
        cairo_move_to(cr_, points[0].x, points[0].y);
        for (int i = 1; i < count; ++i)
            cairo_line_to(cr_, points[i].x, points[i].y);
        cairo_close_path(cr_);
    };
    if (style != kStroked)
    {
        setSource(fill_);
        path();
        cairo_fill(cr_);
    }
    if (style != kFilled)
    {
        setSource(frame_);
        cairo_set_line_width(cr_, lineWidth_);
        path();
        cairo_stroke(cr_);
    }
}

void DrawContext::drawEllipse(const Rect& r, DrawStyle style)
{
    auto path = [this](const Rect& e) {
        cairo_save(cr_);
        cairo_translate(cr_, (e.left + e.right) / 2, (e.top + e.bottom) / 2);
        cairo_scale(cr_, std::max(e.width(), 1e-6) / 2, std::max(e.height(), 1e-6) / 2);
        cairo_new_path(cr_);
        cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr_);
    };
    if (style != kStroked)
    {
        setSource(fill_);
        path(r);
        cairo_fill(cr_);
    }
    if (style != kFilled)
    {
        const double h = lineWidth_ / 2.0;
        setSource(frame_);
        cairo_set_line_width(cr_, lineWidth_);
        path(r.inset(h, h));
        cairo_stroke(cr_);
    }
}

bool DrawContext::drawAtDevicePixels(const Bitmap& bitmap, const Rect& dest, Point offset, double alpha)
{
    cairo_matrix_t m;
    cairo_get_matrix(cr_, &m);
    const double z = m.xx;
    if (m.xy != 0.0 || m.yx != 0.0 || m.yy != z || !(z > 0.0))
        return false;
    const Bitmap* image = &bitmap;
    std::shared_ptr<Bitmap> frame;
    double sourceX = 0.0, sourceY = 0.0; // pixel of the image that lands on dest's top left
    if (std::abs(z - bitmap.scaleFactor()) < 1e-9)
    {
        sourceX = std::round(offset.x * z);
        sourceY = std::round(offset.y * z);
    }
    else if (bitmap.hasFrameRenderer())
    {
        // Only a whole frame, or a part of one, has its own drawing.
        const Bitmap::FrameGrid& g = bitmap.frameGrid();
        const double c = std::round(offset.x / g.width), r = std::round(offset.y / g.height);
        constexpr double eps = 1e-6;
        if (std::abs(offset.x - c * g.width) > eps || std::abs(offset.y - r * g.height) > eps ||
            dest.width() > g.width + eps || dest.height() > g.height + eps)
            return false;
        frame = bitmap.frameAt(z, static_cast<int>(c), static_cast<int>(r));
        if (!frame)
            return false;
        image = frame.get();
    }
    else
        return false;
    // Whole device pixels: the image's pixels fall one to one on the screen's.
    const double left = std::round(z * dest.left + m.x0), top = std::round(z * dest.top + m.y0);
    const double right = std::round(z * dest.right + m.x0), bottom = std::round(z * dest.bottom + m.y0);
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_rectangle(cr_, left, top, right - left, bottom - top);
    cairo_clip(cr_);
    cairo_set_source_surface(cr_, image->surface(), left - sourceX, top - sourceY);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
    cairo_paint_with_alpha(cr_, alpha * globalAlpha_);
    cairo_restore(cr_);
    return true;
}

void DrawContext::drawBitmap(const Bitmap& bitmap, const Rect& dest, Point offset, double alpha)
{
    if (dest.isEmpty() || drawAtDevicePixels(bitmap, dest, offset, alpha))
        return;
    const double s = bitmap.scaleFactor();
    cairo_save(cr_);
    cairo_rectangle(cr_, dest.left, dest.top, dest.width(), dest.height());
    cairo_clip(cr_);
    cairo_translate(cr_, dest.left - offset.x, dest.top - offset.y);
    cairo_scale(cr_, 1.0 / s, 1.0 / s);
    cairo_set_source_surface(cr_, bitmap.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr_, alpha * globalAlpha_);
    cairo_restore(cr_);
}

void DrawContext::drawString(std::string_view text, const Rect& r, Align align, bool antialias)
{
    if (text.empty())
        return;
    LayoutPtr layout = makeLayout(cr_, font_, text, antialias);
    PangoRectangle logical;
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    const double w = logical.width / double(PANGO_SCALE);
    const double h = logical.height / double(PANGO_SCALE);
    double x = r.left;
    if (align == kCenter)
        x = r.left + (r.width() - w) / 2.0;
    else if (align == kRight)
        x = r.right - w;
    const double y = r.top + (r.height() - h) / 2.0;
    setSource(fontColour_);
    cairo_move_to(cr_, x - logical.x / double(PANGO_SCALE), y);
    pango_cairo_show_layout(cr_, layout.get());
    cairo_new_path(cr_);
}

double DrawContext::stringWidth(std::string_view text)
{
    if (text.empty())
        return 0.0;
    LayoutPtr layout = makeLayout(cr_, font_, text, true);
    PangoRectangle logical;
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    return logical.width / double(PANGO_SCALE);
}

Point DrawContext::drawWrapped(std::string_view text, Point topLeft, double maxWidth, bool measureOnly)
{
    LayoutPtr layout = makeLayout(cr_, font_, text, antialias_);
    pango_layout_set_width(layout.get(), static_cast<int>(maxWidth * PANGO_SCALE));
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    PangoRectangle logical;
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    if (!measureOnly)
    {
        setSource(fontColour_);
        cairo_move_to(cr_, topLeft.x, topLeft.y);
        pango_cairo_show_layout(cr_, layout.get());
        cairo_new_path(cr_);
    }
    return {logical.width / double(PANGO_SCALE), logical.height / double(PANGO_SCALE)};
}

void DrawContext::pushTranslation(double dx, double dy)
{
    cairo_save(cr_);
    ++depth_;
    cairo_translate(cr_, dx, dy);
}

void DrawContext::pushScale(double s)
{
    cairo_save(cr_);
    ++depth_;
    cairo_scale(cr_, s, s);
}

void DrawContext::popTransform()
{
    if (depth_ > 0)
    {
        cairo_restore(cr_);
        --depth_;
    }
}

void DrawContext::pushClip(const Rect& r)
{
    cairo_save(cr_);
    ++depth_;
    cairo_matrix_t m;
    cairo_get_matrix(cr_, &m);
    if (m.xy == 0.0 && m.yx == 0.0 && m.xx > 0.0 && m.yy > 0.0)
    {
        // On whole device pixels, as the bitmaps are: a clip edge inside a pixel would leave a
        // half-covered row at a fractional zoom.
        const double left = std::round(m.xx * r.left + m.x0), top = std::round(m.yy * r.top + m.y0);
        const double right = std::round(m.xx * r.right + m.x0), bottom = std::round(m.yy * r.bottom + m.y0);
        cairo_identity_matrix(cr_);
        cairo_rectangle(cr_, left, top, std::max(0.0, right - left), std::max(0.0, bottom - top));
        cairo_clip(cr_);
        cairo_set_matrix(cr_, &m);
        return;
    }
    cairo_rectangle(cr_, r.left, r.top, std::max(0.0, r.width()), std::max(0.0, r.height()));
    cairo_clip(cr_);
}

void DrawContext::popClip() { popTransform(); }

Rect DrawContext::clipRect() const
{
    double x1, y1, x2, y2;
    cairo_clip_extents(cr_, &x1, &y1, &x2, &y2);
    return {x1, y1, x2, y2};
}

} // namespace qortk

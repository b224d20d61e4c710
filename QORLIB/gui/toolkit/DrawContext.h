#pragma once

#include "QORLIB/gui/toolkit/Colour.h"
#include "QORLIB/gui/toolkit/FontDesc.h"
#include "QORLIB/gui/toolkit/Rect.h"

#include <string_view>

typedef struct _cairo cairo_t;

namespace qortk
{

class Bitmap;

// Drawing calls over one cairo context, in points. Transforms and clips nest; every push
// needs its pop.
class DrawContext
{
public:
    enum DrawStyle
    {
        kStroked,
        kFilled,
        kFilledAndStroked,
    };
    enum Align
    {
        kLeft,
        kCenter,
        kRight,
    };

    explicit DrawContext(cairo_t* cr);
    ~DrawContext();
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    void setFrameColour(Colour c) { frame_ = c; }
    void setFillColour(Colour c) { fill_ = c; }
    void setFontColour(Colour c) { fontColour_ = c; }
    Colour frameColour() const { return frame_; }
    Colour fillColour() const { return fill_; }
    Colour fontColour() const { return fontColour_; }
    void setLineWidth(double w) { lineWidth_ = w > 0.0 ? w : 1.0; }
    double lineWidth() const { return lineWidth_; }
    void setFont(const FontDesc& font) { font_ = font; }
    const FontDesc& font() const { return font_; }
    void setAntialias(bool on);
    bool antialias() const { return antialias_; }
    // Multiplies every colour's alpha, for fading whole views.
    void setGlobalAlpha(double a) { globalAlpha_ = a < 0.0 ? 0.0 : (a > 1.0 ? 1.0 : a); }

    void drawLine(Point from, Point to);
    void drawRect(const Rect& r, DrawStyle style = kStroked);
    void drawRoundRect(const Rect& r, double radius, DrawStyle style = kStroked);
    void drawEllipse(const Rect& r, DrawStyle style = kStroked);
    // A closed polygon through the points.
    void drawPolygon(const Point* points, int count, DrawStyle style = kFilled);
    // Draws the part of the bitmap that starts at offset (points) into dest, clipped to dest.
    // Under a plain zoom the bitmap lands on whole device pixels, drawn at the zoom's own
    // resolution when it can be (its frame renderer, or pixels already at that scale), and is
    // resampled only otherwise.
    void drawBitmap(const Bitmap& bitmap, const Rect& dest, Point offset = {}, double alpha = 1.0);
    void drawString(std::string_view text, const Rect& r, Align align = kCenter, bool antialias = true);
    double stringWidth(std::string_view text);
    // Lays the text out with line breaks within the given width; returns its size.
    Point drawWrapped(std::string_view text, Point topLeft, double maxWidth, bool measureOnly = false);

    void pushTranslation(double dx, double dy);
    void pushScale(double s);
    void popTransform();
    void pushClip(const Rect& r);
    void popClip();
    // The current clip in the current coordinates (empty when nothing can be drawn).
    Rect clipRect() const;

    cairo_t* cairo() const { return cr_; }

private:
    bool drawAtDevicePixels(const Bitmap& bitmap, const Rect& dest, Point offset, double alpha);
    void setSource(Colour c);
    void roundRectPath(const Rect& r, double radius);
    cairo_t* cr_;
    Colour frame_{0, 0, 0, 255};
    Colour fill_{255, 255, 255, 255};
    Colour fontColour_{0, 0, 0, 255};
    FontDesc font_{"Arial", 12.0};
    double lineWidth_ = 1.0;
    double globalAlpha_ = 1.0;
    bool antialias_ = true;
    int depth_ = 0;
};

} // namespace qortk

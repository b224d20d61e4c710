#pragma once

#include <cairo.h>

#include <string>

namespace artwork
{

struct Rgba
{
    double r, g, b, a = 1.0;
};

inline Rgba rgb(int r, int g, int b, double a = 1.0) { return {r / 255.0, g / 255.0, b / 255.0, a}; }

struct TextStyle
{
    const char* family = "Liberation Sans";
    double size = 8.0;     // points
    bool bold = false;
    bool italic = false;
    double tracking = 0.0; // extra space between letters, points
    Rgba colour{0, 0, 0, 1};
};

enum class Align
{
    kLeft,
    kCentre,
    kRight,
};

// An image drawn in points at a given number of pixels per point. The committed images are
// made at 2; the editor draws them again at the exact scale of its zoom.
class Canvas
{
public:
    static constexpr double kScale = 2.0;

    // Pixel size: the point size times the scale, rounded to whole pixels.
    Canvas(double widthPoints, double heightPoints, double scale = kScale);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    double width() const { return width_; }
    double height() const { return height_; }
    double scale() const { return scale_; }
    int pixelWidth() const { return cairo_image_surface_get_width(surface_); }
    int pixelHeight() const { return cairo_image_surface_get_height(surface_); }
    bool writePng(const std::string& path) const;

    // Text whose box is centred vertically on y; x is the left, centre or right edge.
    void text(const std::string& s, double x, double y, const TextStyle& style, Align align = Align::kCentre);
    // Text cut into the panel: a light edge below, the letters dark.
    void engraved(const std::string& s, double x, double y, TextStyle style, Align align = Align::kCentre,
                  double highlight = 0.55);
    double textWidth(const std::string& s, const TextStyle& style);

    // Copies a region of another image of the same scale (points) to (x, y) of this one, pixel
    // for pixel: every position is rounded to whole pixels, so that pieces cut from one image at
    // a fractional scale still meet it without a seam.
    void blit(const Canvas& from, double sx, double sy, double sw, double sh, double x, double y);
    void blit(cairo_surface_t* from, double sx, double sy, double sw, double sh, double x, double y);

private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
    double width_;
    double height_;
    double scale_;
};

void setColour(cairo_t* cr, const Rgba& c);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

} // namespace artwork

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

// An image drawn in points at twice the pixel resolution: every image of the product is made
// for a scale factor of 2.
class Canvas
{
public:
    static constexpr double kScale = 2.0;

    Canvas(double widthPoints, double heightPoints);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    double width() const { return width_; }
    double height() const { return height_; }
    bool writePng(const std::string& path) const;

    // Text whose box is centred vertically on y; x is the left, centre or right edge.
    void text(const std::string& s, double x, double y, const TextStyle& style, Align align = Align::kCentre);
    // Text cut into the panel: a light edge below, the letters dark.
    void engraved(const std::string& s, double x, double y, TextStyle style, Align align = Align::kCentre,
                  double highlight = 0.55);
    double textWidth(const std::string& s, const TextStyle& style);

    // Copies a region of another canvas (points) to (x, y) of this one, pixel for pixel.
    void blit(const Canvas& from, double sx, double sy, double sw, double sh, double x, double y);

private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
    double width_;
    double height_;
};

void setColour(cairo_t* cr, const Rgba& c);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

} // namespace artwork

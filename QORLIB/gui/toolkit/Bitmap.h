#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

typedef struct _cairo_surface cairo_surface_t;

namespace qortk
{

// A decoded image: 32-bit premultiplied ARGB pixels plus the scale factor that tells how many
// pixels make one point (2.0 for artwork drawn at twice the layout resolution).
class Bitmap
{
public:
    // Decodes PNG bytes held in memory; nullptr when they are not a complete, valid PNG.
    static std::shared_ptr<Bitmap> fromPng(std::span<const uint8_t> bytes);
    // A fully transparent bitmap of the given pixel size (at least 1 × 1).
    static std::shared_ptr<Bitmap> blank(int pixelWidth, int pixelHeight);

    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int pixelWidth() const;
    int pixelHeight() const;
    double scaleFactor() const { return scale_; }
    void setScaleFactor(double s) { scale_ = s > 0.0 ? s : 1.0; }
    double width() const { return pixelWidth() / scale_; }
    double height() const { return pixelHeight() / scale_; }

    // Unpremultiplied RGBA of one pixel (0 outside the image); for tests and pixel access.
    uint32_t pixelRGBA(int x, int y) const;

    cairo_surface_t* surface() const { return surface_; }

private:
    explicit Bitmap(cairo_surface_t* surface) : surface_(surface) {}
    cairo_surface_t* surface_;
    double scale_ = 1.0;
};

} // namespace qortk

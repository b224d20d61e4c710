#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace qortk
{

// A decoded image: 32-bit premultiplied ARGB pixels plus the scale factor that tells how many
// pixels make one point (2.0 for artwork drawn at twice the layout resolution).
//
// An image whose drawing is known can also give each of its frames drawn at any device scale,
// so that a zoomed editor shows it sharp instead of resampled. Those frames are drawn on first
// need and kept, least recently used first out, within a memory budget: a big filmstrip at a
// large zoom keeps only the frames in use, not the whole strip. Frames of two scales at most
// are kept: the one in use and the one before it.
class Bitmap
{
public:
    // The image as a grid of equal frames (points), laid out column by column.
    struct FrameGrid
    {
        double width = 0.0;
        double height = 0.0;
        int columns = 1;
        int rows = 1;
    };
    // Draws frame (column, row) at a scale (device pixels per point) into a new ARGB32 image
    // surface that the caller then owns; nullptr when it cannot.
    using FrameRenderer = std::function<cairo_surface_t*(double scale, int column, int row)>;
    static constexpr size_t kDefaultFrameBudget = size_t(8) << 20;

    // Decodes PNG bytes held in memory; nullptr when they are not a complete, valid PNG.
    static std::shared_ptr<Bitmap> fromPng(std::span<const uint8_t> bytes);
    // The same for bytes that live as long as the program (compiled in): the bitmap may then
    // let its pixels go and decode them again when they are next needed.
    static std::shared_ptr<Bitmap> fromStaticPng(std::span<const uint8_t> bytes);
    // A fully transparent bitmap of the given pixel size (at least 1 × 1).
    static std::shared_ptr<Bitmap> blank(int pixelWidth, int pixelHeight);

    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int pixelWidth() const { return pixelWidth_; }
    int pixelHeight() const { return pixelHeight_; }
    double scaleFactor() const { return scale_; }
    void setScaleFactor(double s) { scale_ = s > 0.0 ? s : 1.0; }
    double width() const { return pixelWidth() / scale_; }
    double height() const { return pixelHeight() / scale_; }

    // Unpremultiplied RGBA of one pixel (0 outside the image); for tests and pixel access.
    uint32_t pixelRGBA(int x, int y) const;

    // The pixels, decoded again first if they were let go.
    cairo_surface_t* surface() const;
    // Lets the decoded pixels go when they can be decoded again; true when they went. For an
    // image drawn at every zoom's own resolution, which needs its stored pixels only at their
    // own scale.
    bool releasePixels();
    bool hasPixels() const { return surface_ != nullptr; }

    void setFrameRenderer(const FrameGrid& grid, FrameRenderer renderer);
    bool hasFrameRenderer() const { return static_cast<bool>(renderer_); }
    const FrameGrid& frameGrid() const { return grid_; }
    // Frame (column, row) drawn at exactly this scale, its scale factor set to it; nullptr
    // without a renderer, outside the grid or when drawing fails.
    std::shared_ptr<Bitmap> frameAt(double scale, int column, int row) const;
    // Bytes of drawn frames kept; beyond the budget the least recently used go (the frame just
    // asked for always stays).
    size_t frameBytes() const;
    void setFrameBudget(size_t bytes);
    // How many frames have been drawn so far.
    int framesDrawn() const { return framesDrawn_; }

private:
    explicit Bitmap(cairo_surface_t* surface);
    struct DrawnFrame
    {
        double scale;
        int column, row;
        std::shared_ptr<Bitmap> image;
        size_t bytes;
    };
    void trimFrames() const;
    mutable cairo_surface_t* surface_;
    int pixelWidth_;
    int pixelHeight_;
    std::span<const uint8_t> png_; // bytes to decode again; empty when they may not outlive us
    double scale_ = 1.0;
    FrameGrid grid_;
    FrameRenderer renderer_;
    size_t frameBudget_ = kDefaultFrameBudget;
    mutable std::vector<DrawnFrame> frames_; // most recently used last
    mutable int framesDrawn_ = 0;
};

} // namespace qortk

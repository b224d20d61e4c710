#include "QORLIB/gui/toolkit/Bitmap.h"

#include "QORLIB/gui/toolkit/PixelAccess.h"

#include <cairo.h>

#include <cstring>
#include <vector>

namespace qortk
{
namespace
{
struct PngReader
{
    std::span<const uint8_t> bytes;
    size_t position = 0;
};

cairo_status_t readPng(void* closure, unsigned char* out, unsigned int length)
{
    auto* reader = static_cast<PngReader*>(closure);
    if (length > reader->bytes.size() - reader->position)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->bytes.data() + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

cairo_surface_t* decodePng(std::span<const uint8_t> bytes)
{
    if (bytes.size() < sizeof kPngSignature || std::memcmp(bytes.data(), kPngSignature, 8) != 0)
        return nullptr;
    PngReader reader{bytes};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readPng, &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS || cairo_image_surface_get_width(surface) <= 0 ||
        cairo_image_surface_get_height(surface) <= 0)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return surface;
}
} // namespace

Bitmap::Bitmap(cairo_surface_t* surface)
    : surface_(surface), pixelWidth_(cairo_image_surface_get_width(surface)),
      pixelHeight_(cairo_image_surface_get_height(surface))
{
}

std::shared_ptr<Bitmap> Bitmap::fromPng(std::span<const uint8_t> bytes)
{
    cairo_surface_t* surface = decodePng(bytes);
    return surface ? std::shared_ptr<Bitmap>(new Bitmap(surface)) : nullptr;
}

std::shared_ptr<Bitmap> Bitmap::fromStaticPng(std::span<const uint8_t> bytes)
{
    auto bitmap = fromPng(bytes);
    if (bitmap)
        bitmap->png_ = bytes;
    return bitmap;
}

cairo_surface_t* Bitmap::surface() const
{
    if (!surface_)
    {
        surface_ = decodePng(png_);
        // The bytes decoded once; should they ever not, a transparent image keeps every caller safe.
        if (!surface_ || cairo_image_surface_get_width(surface_) != pixelWidth_ ||
            cairo_image_surface_get_height(surface_) != pixelHeight_)
        {
            cairo_surface_destroy(surface_);
            surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth_, pixelHeight_);
        }
    }
    return surface_;
}

bool Bitmap::releasePixels()
{
    if (png_.empty() || !surface_)
        return false;
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    return true;
}

std::shared_ptr<Bitmap> Bitmap::blank(int pixelWidth, int pixelHeight)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth > 0 ? pixelWidth : 1,
                                                          pixelHeight > 0 ? pixelHeight : 1);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::shared_ptr<Bitmap>(new Bitmap(surface));
}

Bitmap::~Bitmap()
{
    if (surface_)
        cairo_surface_destroy(surface_);
}

uint32_t Bitmap::pixelRGBA(int x, int y) const { return PixelAccess::rgba(surface(), x, y); }

void Bitmap::setFrameRenderer(const FrameGrid& grid, FrameRenderer renderer)
{
    grid_ = grid;
    renderer_ = std::move(renderer);
    frames_.clear();
}

std::shared_ptr<Bitmap> Bitmap::frameAt(double scale, int column, int row) const
{
    if (!renderer_ || !(scale > 0.0) || column < 0 || row < 0 || column >= grid_.columns || row >= grid_.rows)
        return nullptr;
    for (auto it = frames_.begin(); it != frames_.end(); ++it)
        if (it->scale == scale && it->column == column && it->row == row)
        {
            DrawnFrame hit = std::move(*it);
            frames_.erase(it);
            frames_.push_back(std::move(hit));
            return frames_.back().image;
        }
    ++framesDrawn_;
    cairo_surface_t* surface = renderer_(scale, column, row);
    if (!surface)
        return nullptr;
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    // A zoom change leaves the frames of the zoom before it (another editor may still show
    // them), but none older.
    double previous = scale;
    for (auto it = frames_.rbegin(); it != frames_.rend() && previous == scale; ++it)
        previous = it->scale;
    std::erase_if(frames_, [&](const DrawnFrame& f) { return f.scale != scale && f.scale != previous; });
    std::shared_ptr<Bitmap> image(new Bitmap(surface));
    image->setScaleFactor(scale);
    const size_t bytes = size_t(cairo_image_surface_get_stride(surface)) * size_t(image->pixelHeight());
    frames_.push_back({scale, column, row, image, bytes});
    trimFrames();
    return image;
}

size_t Bitmap::frameBytes() const
{
    size_t total = 0;
    for (const DrawnFrame& f : frames_)
        total += f.bytes;
    return total;
}

void Bitmap::setFrameBudget(size_t bytes)
{
    frameBudget_ = bytes;
    trimFrames();
}

void Bitmap::trimFrames() const
{
    size_t total = frameBytes();
    while (frames_.size() > 1 && total > frameBudget_)
    {
        total -= frames_.front().bytes;
        frames_.erase(frames_.begin());
    }
}

} // namespace qortk

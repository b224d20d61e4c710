#include "QORLIB/gui/toolkit/OffscreenBackend.h"

#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/PixelAccess.h"

#include <cairo.h>

namespace qortk
{

OffscreenBackend::OffscreenBackend(Frame& frame) : frame_(frame) {}

OffscreenBackend::~OffscreenBackend()
{
    if (surface_)
        cairo_surface_destroy(surface_);
}

void OffscreenBackend::frameResized(int w, int h)
{
    if (surface_)
        cairo_surface_destroy(surface_);
    width_ = w > 0 ? w : 1;
    height_ = h > 0 ? h : 1;
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_, height_);
}

bool OffscreenBackend::queryPointer(Point& device, uint32_t& buttons)
{
    if (!pointerSet_)
        return false;
    device = pointer_;
    buttons = buttons_;
    return true;
}

void OffscreenBackend::setPointer(Point device, uint32_t buttons)
{
    pointer_ = device;
    buttons_ = buttons;
    pointerSet_ = true;
    frame_.notePointer(device, buttons);
}

int OffscreenBackend::update()
{
    const auto region = frame_.takeInvalidRegion();
    if (region.empty())
        return 0;
    cairo_t* cr = cairo_create(surface_);
    for (const Rect& r : region)
        frame_.render(cr, r);
    cairo_destroy(cr);
    cairo_surface_flush(surface_);
    return static_cast<int>(region.size());
}

uint32_t OffscreenBackend::pixel(int x, int y)
{
    update();
    return PixelAccess::rgba(surface_, x, y);
}

bool OffscreenBackend::writePng(const std::string& path)
{
    update();
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool OffscreenBackend::encodePng(std::vector<unsigned char>& out)
{
    update();
    out.clear();
    auto append = [](void* closure, const unsigned char* data, unsigned length) {
        auto* bytes = static_cast<std::vector<unsigned char>*>(closure);
        bytes->insert(bytes->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
    };
    return cairo_surface_write_to_png_stream(surface_, append, &out) == CAIRO_STATUS_SUCCESS;
}

} // namespace qortk

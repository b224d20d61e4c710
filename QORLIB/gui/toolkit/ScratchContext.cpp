#include "QORLIB/gui/toolkit/ScratchContext.h"

#include <cairo.h>

namespace qortk
{

ScratchContext::ScratchContext()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1)), cr_(cairo_create(surface_)),
      context_(std::make_unique<DrawContext>(cr_))
{
}

ScratchContext::~ScratchContext()
{
    context_.reset();
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

} // namespace qortk

#include "QORLIB/gui/toolkit/FontDesc.h"

#include <pango/pango.h>

#include <utility>

namespace qortk
{

FontDesc::FontDesc(std::string face, double size, int style)
    : face_(std::move(face)), size_(size > 0.0 ? size : 1.0), style_(style)
{
    build();
}

FontDesc::~FontDesc() { pango_font_description_free(description_); }

FontDesc::FontDesc(const FontDesc& other) : face_(other.face_), size_(other.size_), style_(other.style_)
{
    build();
}

FontDesc& FontDesc::operator=(const FontDesc& other)
{
    if (this != &other)
    {
        face_ = other.face_;
        size_ = other.size_;
        style_ = other.style_;
        pango_font_description_free(description_);
        build();
    }
    return *this;
}

void FontDesc::build()
{
    description_ = pango_font_description_new();
    pango_font_description_set_family(description_, face_.c_str());
    // Absolute size: one point of size is one unit of the drawing space, as in the layout.
    pango_font_description_set_absolute_size(description_, size_ * PANGO_SCALE);
    pango_font_description_set_weight(description_, (style_ & kBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(description_, (style_ & kItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
}

} // namespace qortk

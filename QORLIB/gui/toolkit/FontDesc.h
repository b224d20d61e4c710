#pragma once

#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace qortk
{

// A font by face name and size in points; fontconfig resolves the face (so "Arial" and
// "Helvetica" find their metric-compatible stand-ins).
class FontDesc
{
public:
    enum Style
    {
        kNormal = 0,
        kBold = 1,
        kItalic = 2,
    };

    FontDesc(std::string face, double size, int style = kNormal);
    ~FontDesc();
    FontDesc(const FontDesc& other);
    FontDesc& operator=(const FontDesc& other);

    const std::string& face() const { return face_; }
    double size() const { return size_; }
    int style() const { return style_; }

    const PangoFontDescription* pango() const { return description_; }

private:
    void build();
    std::string face_;
    double size_;
    int style_;
    PangoFontDescription* description_ = nullptr;
};

} // namespace qortk

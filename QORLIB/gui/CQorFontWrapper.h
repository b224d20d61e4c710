#pragma once

#include "QORLIB/gui/QorFont.h"
#include "QORLIB/gui/toolkit/FontDesc.h"

namespace Qorwerk
{

// The framework's font over a toolkit font description.
class CQorFontWrapper : public QorFont
{
public:
    CQorFontWrapper(const char* face, double size) : font_(face, size) {}

    const char* getName() const override { return font_.face().c_str(); }
    double getSize() const override { return font_.size(); }
    const qortk::FontDesc& font() const { return font_; }

private:
    qortk::FontDesc font_;
};

} // namespace Qorwerk

#pragma once

#include "QORLIB/gui/toolkit/Colour.h"
#include "QORLIB/gui/toolkit/Control.h"
#include "QORLIB/gui/toolkit/DrawContext.h"
#include "QORLIB/gui/toolkit/FontDesc.h"

#include <string>

namespace qortk
{

// One line of text over an optional rounded background and frame.
class TextLabel : public Control
{
public:
    TextLabel(const Rect& size, std::string text = {}, ControlListener* listener = nullptr, int32_t tag = -1);

    const std::string& text() const { return text_; }
    virtual void setText(std::string text);
    void setFont(const FontDesc& font);
    const FontDesc& font() const { return font_; }
    void setFontColour(Colour c);
    void setBackColour(Colour c);
    void setFrameColour(Colour c);
    void setAlign(DrawContext::Align a);
    void setRoundRadius(double r);
    void setTextInset(double inset) { inset_ = inset; }

    void draw(DrawContext& context) override;

protected:
    void drawBackground(DrawContext& context);
    Rect textRect() const { return viewSize().inset(inset_, 0.0); }
    DrawContext::Align align() const { return align_; }
    Colour fontColour() const { return fontColour_; }

private:
    std::string text_;
    FontDesc font_{"Arial", 12.0};
    Colour fontColour_{0, 0, 0, 255};
    Colour back_{0, 0, 0, 0};
    Colour frameColour_{0, 0, 0, 0};
    DrawContext::Align align_ = DrawContext::kCenter;
    double radius_ = 0.0;
    double inset_ = 3.0;
};

} // namespace qortk

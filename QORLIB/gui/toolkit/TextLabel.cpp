#include "QORLIB/gui/toolkit/TextLabel.h"

namespace qortk
{

TextLabel::TextLabel(const Rect& size, std::string text, ControlListener* listener, int32_t tag)
    : Control(size, listener, tag), text_(std::move(text))
{
}

void TextLabel::setText(std::string text)
{
    if (text == text_)
        return;
    text_ = std::move(text);
    invalid();
}

void TextLabel::setFont(const FontDesc& font)
{
    font_ = font;
    invalid();
}

void TextLabel::setFontColour(Colour c)
{
    fontColour_ = c;
    invalid();
}

void TextLabel::setBackColour(Colour c)
{
    back_ = c;
    invalid();
}

void TextLabel::setFrameColour(Colour c)
{
    frameColour_ = c;
    invalid();
}

void TextLabel::setAlign(DrawContext::Align a)
{
    align_ = a;
    invalid();
}

void TextLabel::setRoundRadius(double r)
{
    radius_ = r;
    invalid();
}

void TextLabel::drawBackground(DrawContext& context)
{
    context.setLineWidth(1.0);
    context.setFillColour(back_);
    context.setFrameColour(frameColour_);
    const bool fill = back_.a != 0;
    const bool frame = frameColour_.a != 0;
    if (!fill && !frame)
        return;
    const auto style = fill && frame ? DrawContext::kFilledAndStroked : (fill ? DrawContext::kFilled : DrawContext::kStroked);
    if (radius_ > 0.0)
        context.drawRoundRect(viewSize(), radius_, style);
    else
        context.drawRect(viewSize(), style);
}

void TextLabel::draw(DrawContext& context)
{
    drawBackground(context);
    context.setFont(font_);
    context.setFontColour(fontColour_);
    context.drawString(text_, textRect(), align_, true);
}

} // namespace qortk

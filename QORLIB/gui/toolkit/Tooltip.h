#pragma once

#include "QORLIB/gui/toolkit/Rect.h"

#include <string>

namespace qortk
{

class DrawContext;

// A hint bubble drawn by the frame above every view. It opens below its anchor rectangle and
// stays inside the frame.
class Tooltip
{
public:
    void show(const Rect& anchor, std::string text);
    void hide();
    bool isShown() const { return shown_; }
    const std::string& text() const { return text_; }
    const Rect& anchor() const { return anchor_; }
    // Where the bubble goes inside bounds (measured with the context's text metrics).
    Rect bubbleRect(DrawContext& context, const Rect& bounds) const;
    void draw(DrawContext& context, const Rect& bounds) const;
    // What a shown bubble covers inside bounds, shadow and text metrics' slack included: the
    // only part of the frame that showing or hiding it repaints. Empty when nothing is drawn.
    Rect coveredRect(const Rect& bounds) const;

private:
    Rect anchor_;
    std::string text_;
    bool shown_ = false;
};

} // namespace qortk

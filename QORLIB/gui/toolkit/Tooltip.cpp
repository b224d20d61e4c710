#include "QORLIB/gui/toolkit/Tooltip.h"

#include "QORLIB/gui/toolkit/DrawContext.h"
#include "QORLIB/gui/toolkit/ScratchContext.h"

#include <algorithm>

namespace qortk
{
namespace
{
constexpr double kPadding = 5.0;
constexpr double kMaxTextWidth = 230.0;
const FontDesc& tooltipFont()
{
    static const FontDesc font("Arial", 11.0);
    return font;
}
} // namespace

void Tooltip::show(const Rect& anchor, std::string text)
{
    anchor_ = anchor;
    text_ = std::move(text);
    shown_ = true;
}

void Tooltip::hide() { shown_ = false; }

Rect Tooltip::bubbleRect(DrawContext& context, const Rect& bounds) const
{
    context.setFont(tooltipFont());
    const Point size = context.drawWrapped(text_, {}, std::min(kMaxTextWidth, bounds.width() - 4 * kPadding), true);
    const double w = size.x + 2 * kPadding;
    const double h = size.y + 2 * kPadding;
    double left = anchor_.left;
    double top = anchor_.bottom + 2.0;
    if (top + h > bounds.bottom) // no room below: above the pointer instead
        top = anchor_.top - h - 2.0;
    left = std::clamp(left, bounds.left + 1.0, std::max(bounds.left + 1.0, bounds.right - w - 1.0));
    top = std::clamp(top, bounds.top + 1.0, std::max(bounds.top + 1.0, bounds.bottom - h - 1.0));
    return Rect::fromSize(left, top, w, h);
}

Rect Tooltip::coveredRect(const Rect& bounds) const
{
    if (!shown_ || text_.empty())
        return {};
    // Text measured unzoomed may come out a little wider or narrower once zoomed.
    constexpr double kSlack = 4.0;
    ScratchContext scratch;
    const Rect r = bubbleRect(scratch.context(), bounds);
    return Rect{r.left - kSlack, r.top - kSlack, r.right + kSlack, r.bottom + kSlack}.intersection(bounds);
}

void Tooltip::draw(DrawContext& context, const Rect& bounds) const
{
    if (!shown_ || text_.empty())
        return;
    const Rect r = bubbleRect(context, bounds);
    context.setFillColour({0, 0, 0, 60});
    context.drawRoundRect(r.offset(1.0, 1.5), 4.0, DrawContext::kFilled);
    context.setFillColour({38, 38, 41, 245});
    context.setFrameColour({96, 96, 102, 255});
    context.setLineWidth(1.0);
    context.drawRoundRect(r, 4.0, DrawContext::kFilledAndStroked);
    context.setFontColour({232, 232, 228, 255});
    context.drawWrapped(text_, {r.left + kPadding, r.top + kPadding}, r.width() - 2 * kPadding + 1.0);
}

} // namespace qortk

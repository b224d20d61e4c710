#include "QORLIB/gui/QorValueReadout.h"

#include "QORLIB/gui/toolkit/DrawContext.h"
#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/ScratchContext.h"

#include <algorithm>
#include <cmath>

namespace Qorwerk
{
namespace
{
const qortk::FontDesc& readoutFont()
{
    static const qortk::FontDesc font("Arial", 11.0);
    return font;
}
// Text measured unzoomed may come out a little wider once zoomed; the label is sized by whole points.
constexpr double kSlack = 2.0;
} // namespace

QorValueReadout::~QorValueReadout() { detach(); }

void QorValueReadout::attach(qortk::Frame* frame)
{
    detach();
    frame_ = frame;
    if (frame_)
        frame_->addOverlay(this);
}

void QorValueReadout::detach()
{
    if (frame_)
    {
        hide();
        frame_->removeOverlay(this);
    }
    frame_ = nullptr;
    shown_ = false;
}

void QorValueReadout::show(const qortk::Rect& control, const std::string& text, const qortk::Rect& avoid)
{
    if (!frame_ || text.empty())
    {
        hide();
        return;
    }
    double width = 0.0;
    {
        qortk::ScratchContext scratch;
        scratch.context().setFont(readoutFont());
        width = std::ceil(scratch.context().stringWidth(text) + 2 * kPaddingX + kSlack);
    }
    const qortk::Rect where = place(control, width, avoid);
    if (shown_ && where == rect_ && text == text_)
        return; // nothing to repaint
    if (shown_)
        invalidate();
    rect_ = where;
    text_ = text;
    shown_ = true;
    invalidate();
}

void QorValueReadout::hide()
{
    if (!shown_)
        return;
    invalidate();
    shown_ = false;
}

qortk::Rect QorValueReadout::place(const qortk::Rect& control, double width, const qortk::Rect& avoid) const
{
    const qortk::Rect bounds = frame_->viewSize();
    const auto fit = [&](double top) {
        const double centre = (control.left + control.right) / 2;
        double left = std::round(centre - width / 2);
        left = std::clamp(left, bounds.left + 1.0, std::max(bounds.left + 1.0, bounds.right - width - 1.0));
        top = std::clamp(top, bounds.top + 1.0, std::max(bounds.top + 1.0, bounds.bottom - kHeight - 1.0));
        return qortk::Rect::fromSize(left, top, width, kHeight);
    };
    const qortk::Rect above = fit(std::floor(control.top - kGap - kHeight));
    if (avoid.isEmpty() || !above.intersects(avoid))
        return above;
    const qortk::Rect below = fit(std::ceil(control.bottom + kGap));
    if (!below.intersects(avoid))
        return below;
    // Squeezed between the bubble and an edge: the side of the control the bubble is not on.
    return avoid.top >= control.top ? above : below;
}

void QorValueReadout::invalidate() const
{
    if (frame_)
        frame_->invalidateFrameRect(rect_);
}

void QorValueReadout::drawOverlay(qortk::DrawContext& context, const qortk::Rect&)
{
    if (!shown_)
        return;
    const qortk::Rect r{rect_.left + 0.5, rect_.top + 0.5, rect_.right - 0.5, rect_.bottom - 0.5};
    context.setLineWidth(1.0);
    context.setFillColour({16, 16, 18, 225});
    context.setFrameColour({120, 112, 96, 255});
    context.drawRoundRect(r, 3.0, qortk::DrawContext::kFilledAndStroked);
    context.setFont(readoutFont());
    context.setFontColour({246, 214, 150, 255});
    context.drawString(text_, rect_, qortk::DrawContext::kCenter);
}

} // namespace Qorwerk

#include "QORLIB/gui/presetbar/PresetBarSegmentRow.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"

#include <cmath>

QorRect PresetBarSegmentRow::segment(const QorRect& row, int32_t i) const
{
    const double width = std::floor((row.width() - 2 * kEdge) * share_);
    const double left = row.left + kEdge + i * (width + kGap);
    return {left, row.top + kVerticalInset, left + width, row.bottom - kVerticalInset};
}

int32_t PresetBarSegmentRow::hit(const QorRect& row, const QorPoint& where) const
{
    for (int32_t i = 0; i < count_; ++i)
    {
        const QorRect s = segment(row, i);
        // Right and bottom edges exclusive, so that neighbours never share a pixel column.
        if (where.x >= s.left && where.x < s.right && where.y >= row.top && where.y < row.bottom)
            return i;
    }
    return -1;
}

bool PresetBarSegmentRow::trackHover(const QorRect& row, const QorPoint& where)
{
    const int32_t segment = hit(row, where);
    if (segment == hovered_)
        return false;
    hovered_ = segment;
    return true;
}

void PresetBarSegmentRow::draw(QorDrawContext& context, const QorRect& row, const char* const* labels,
                               int32_t selected, int32_t hovered, const QorColour& highlight) const
{
    context.setLineWidth(1.0);
    context.setFont(QorSharedFonts::arial(12));
    for (int32_t i = 0; i < count_; ++i)
    {
        const QorRect s = segment(row, i);
        const bool on = i == selected;
        context.setFillColor(on ? highlight : i == hovered ? PresetBarColours::kButtonHover : PresetBarColours::kFrame);
        context.drawRoundRect(s, 4.0, QorDrawContext::kFilled);
        if (i == hovered)
        {
            context.setFrameColor(PresetBarColours::kHoverOutline);
            context.drawRoundRect(s, 4.0, QorDrawContext::kStroked);
        }
        context.setFontColor(on || i == hovered ? PresetBarColours::kTextBright : PresetBarColours::kText);
        context.drawString(labels[i], s, QorDrawContext::kAlignCentre, true);
    }
}

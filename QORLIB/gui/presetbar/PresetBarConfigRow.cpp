#include "QORLIB/gui/presetbar/PresetBarConfigRow.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"

namespace PresetBarConfigRow
{

void drawBand(QorDrawContext& context, const QorRect& row, const char* label)
{
    context.setLineWidth(1.0);
    context.setFillColor(PresetBarColours::kFrame);
    context.drawRoundRect(row, 5.0, QorDrawContext::kFilled);
    context.setFont(QorSharedFonts::arial(13));
    context.setFontColor(PresetBarColours::kText);
    context.drawString(label, {row.left + kPadding, row.top, row.left + row.width() / 2, row.bottom},
                       QorDrawContext::kAlignLeft, true);
}

QorRect rightHalf(const QorRect& row)
{
    return {row.left + row.width() / 2, row.top + 3, row.right - 4, row.bottom - 3};
}

void drawButton(QorDrawContext& context, const QorRect& box, const char* text, bool on, bool hovered, bool pressed)
{
    context.setFillColor(on || pressed ? PresetBarColours::kFactoryHighlight
                         : hovered      ? PresetBarColours::kButtonHover
                                        : PresetBarColours::kButton);
    context.drawRoundRect(box, 4.0, QorDrawContext::kFilled);
    if (hovered)
    {
        context.setFrameColor(PresetBarColours::kHoverOutline);
        context.drawRoundRect(box, 4.0, QorDrawContext::kStroked);
    }
    context.setFont(QorSharedFonts::arial(12));
    context.setFontColor(on || hovered || pressed ? PresetBarColours::kTextBright : PresetBarColours::kText);
    context.drawString(text, box, QorDrawContext::kAlignCentre, true);
}

} // namespace PresetBarConfigRow

#include "QORLIB/gui/presetbar/QorCustomizableOptionMenu.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/gui/presetbar/QorCustomizableOptionMenuPackageHandler.h"

QorCustomizableOptionMenu::QorCustomizableOptionMenu(const QorRect& area,
                                                     QorCustomizableOptionMenuPackageHandler& handler)
    : QorCustomControl(area, -1), handler_(handler)
{
    setHostClick(false);
}

void QorCustomizableOptionMenu::setItems(const std::vector<Item>& items, const QorPoint& topLeft, double itemHeight)
{
    items_ = items;
    for (size_t i = 0; i < items_.size(); ++i)
    {
        const double top = topLeft.y + 2.0 + double(i) * itemHeight;
        items_[i].rect = {topLeft.x + 2.0, top, topLeft.x + kWidth - 2.0, top + itemHeight};
        if (items_[i].text.size() > 63)
            items_[i].text.resize(63);
    }
    box_ = {topLeft.x, topLeft.y, topLeft.x + kWidth, topLeft.y + 4.0 + double(items_.size()) * itemHeight};
    invalid();
}

int32_t QorCustomizableOptionMenu::itemAt(const QorPoint& where) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].rect.contains(where) && where.y < items_[i].rect.bottom)
            return int32_t(i);
    return -1;
}

void QorCustomizableOptionMenu::draw(QorDrawContext& context)
{
    context.setFillColor({20, 20, 22, 245});
    context.drawRoundRect(box_, 3.0, QorDrawContext::kFilled);
    context.setFrameColor(PresetBarColours::kHoverOutline);
    context.setLineWidth(1.0);
    context.drawRoundRect(box_, 3.0, QorDrawContext::kStroked);
    context.setFont(QorSharedFonts::arial(12));
    for (size_t i = 0; i < items_.size(); ++i)
    {
        const Item& item = items_[i];
        const bool lit = int32_t(i) == highlighted_ && !item.disabled;
        if (lit)
        {
            context.setFillColor(PresetBarColours::kFactoryHighlight);
            context.drawRect(item.rect, QorDrawContext::kFilled);
        }
        context.setFontColor(item.disabled ? QorColour{110, 110, 110, 255}
                             : lit        ? PresetBarColours::kTextBright
                                          : PresetBarColours::kText);
        const QorRect text{item.rect.left + 22.0, item.rect.top, item.rect.right - 6.0, item.rect.bottom};
        context.drawString(item.text.c_str(), text, QorDrawContext::kAlignLeft, true);
        if (int32_t(i) == current_)
        {
            const double cy = (item.rect.top + item.rect.bottom) / 2.0;
            context.setFillColor(PresetBarColours::kActive);
            context.drawEllipse({item.rect.left + 8.0, cy - 3.0, item.rect.left + 14.0, cy + 3.0}, QorDrawContext::kFilled);
        }
    }
}

int32_t QorCustomizableOptionMenu::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
    {
        handler_.closePopup();
        return kQorMouseHandledFinal;
    }
    // A choice closes the pop-up at once, so a double-click press here is the second half of
    // the double click that opened it.
    if (flags & kQorDoubleClick)
    {
        handler_.closePopup();
        handler_.openingDoubleClicked();
        return kQorMouseHandledFinal;
    }
    const int32_t i = itemAt(where);
    if (i < 0 || items_[size_t(i)].disabled)
    {
        // Outside the items, or a disabled one: close without a choice.
        if (i < 0)
            handler_.closePopup();
        return kQorMouseHandledFinal;
    }
    current_ = i;
    value_ = items_.size() > 1 ? double(i) / double(items_.size() - 1) : 0.0;
    const Item chosen = items_[size_t(i)];
    handler_.closePopup();
    handler_.itemChosen(chosen.tag);
    return kQorMouseHandledFinal;
}

int32_t QorCustomizableOptionMenu::onMouseMoved(const QorPoint& where, uint32_t)
{
    const int32_t i = itemAt(where);
    if (i != highlighted_)
    {
        highlighted_ = i;
        invalid();
    }
    return kQorMouseHandled;
}

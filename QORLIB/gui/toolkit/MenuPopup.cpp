#include "QORLIB/gui/toolkit/MenuPopup.h"

#include "QORLIB/gui/toolkit/DrawContext.h"
#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/OptionMenu.h"

#include <cairo.h>

#include <algorithm>

namespace qortk
{
namespace
{
constexpr double kBorder = 3.0;
const FontDesc& menuFont()
{
    static const FontDesc font("Arial", 12.0);
    return font;
}

Rect placePopup(const std::vector<MenuPopup::Item>& items, const Rect& owner, const Rect& bounds)
{
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    double width = owner.width();
    {
        DrawContext measure(cr);
        measure.setFont(menuFont());
        for (const auto& item : items)
            width = std::max(width, measure.stringWidth(item.text) + 28.0);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    const double height = items.size() * MenuPopup::kItemHeight + 2 * kBorder;
    double top = owner.bottom;
    if (top + height > bounds.bottom && owner.top - height >= bounds.top)
        top = owner.top - height;
    top = std::max(bounds.top, std::min(top, bounds.bottom - height));
    const double left = std::max(bounds.left, std::min(owner.left, bounds.right - width));
    return Rect::fromSize(left, top, std::min(width, bounds.width()), height);
}
} // namespace

MenuPopup::MenuPopup(OptionMenu& owner, std::vector<Item> items, int current, const Rect& ownerInFrame,
                     const Rect& frameBounds)
    : View(placePopup(items, ownerInFrame, frameBounds)), owner_(&owner), items_(std::move(items)), current_(current)
{
}

Rect MenuPopup::itemRect(int index) const
{
    const Rect& r = viewSize();
    const double top = r.top + kBorder + index * kItemHeight;
    return Rect{r.left + kBorder, top, r.right - kBorder, top + kItemHeight};
}

int MenuPopup::itemAt(Point p) const
{
    for (int i = 0; i < static_cast<int>(items_.size()); ++i)
        if (itemRect(i).contains(p))
            return i;
    return -1;
}

void MenuPopup::close(int chosen)
{
    std::shared_ptr<MenuPopup> keep = shared_from_this();
    if (Frame* f = frame())
        f->clearModalView();
    if (OptionMenu* owner = owner_)
    {
        owner_ = nullptr;
        owner->popupClosed(chosen);
    }
}

MouseResult MenuPopup::onMouseDown(Point where, uint32_t buttons)
{
    const int index = itemAt(where);
    if (index >= 0 && !items_[size_t(index)].enabled)
        return kMouseHandled;
    close((buttons & kLButton) ? index : -1);
    return kMouseHandledFinal;
}

MouseResult MenuPopup::onMouseMoved(Point where, uint32_t)
{
    const int index = itemAt(where);
    const int shown = index >= 0 && items_[size_t(index)].enabled ? index : -1;
    if (shown != hovered_)
    {
        hovered_ = shown;
        invalid();
    }
    return kMouseHandled;
}

bool MenuPopup::onKeyDown(const KeyEvent& event)
{
    if (event.key == KeyEvent::kEscape)
        close(-1);
    else if (event.key == KeyEvent::kReturn)
        close(hovered_);
    return true;
}

void MenuPopup::draw(DrawContext& context)
{
    const Rect& r = viewSize();
    context.setFillColour({34, 34, 37, 250});
    context.setFrameColour({86, 86, 92, 255});
    context.setLineWidth(1.0);
    context.drawRoundRect(r, 3.0, DrawContext::kFilledAndStroked);
    context.setFont(menuFont());
    for (int i = 0; i < static_cast<int>(items_.size()); ++i)
    {
        const Rect item = itemRect(i);
        if (i == hovered_)
        {
            context.setFillColour({50, 88, 141, 255});
            context.drawRoundRect(item, 2.0, DrawContext::kFilled);
        }
        context.setFontColour(items_[size_t(i)].enabled ? Colour{225, 225, 222, 255} : Colour{120, 120, 120, 255});
        if (i == current_)
        {
            context.setFillColour({225, 225, 222, 255});
            const double cy = (item.top + item.bottom) / 2.0;
            context.drawEllipse(Rect{item.left + 6.0, cy - 2.5, item.left + 11.0, cy + 2.5}, DrawContext::kFilled);
        }
        context.drawString(items_[size_t(i)].text, Rect{item.left + 18.0, item.top, item.right - 4.0, item.bottom},
                           DrawContext::kLeft);
    }
}

} // namespace qortk

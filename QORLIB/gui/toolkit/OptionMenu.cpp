#include "QORLIB/gui/toolkit/OptionMenu.h"

#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/MenuPopup.h"

#include <cmath>

namespace qortk
{

OptionMenu::OptionMenu(const Rect& size, ControlListener* listener, int32_t tag) : TextLabel(size, {}, listener, tag)
{
    setRange(0.0, 0.0);
}

OptionMenu::~OptionMenu()
{
    if (auto popup = popup_.lock())
        popup->detachOwner();
}

void OptionMenu::addEntry(std::string text, bool enabled)
{
    entries_.push_back({std::move(text), enabled});
    setRange(0.0, double(entries_.size() - 1));
    if (entries_.size() == 1)
        setCurrent(0);
}

void OptionMenu::removeAllEntries()
{
    entries_.clear();
    setRange(0.0, 0.0);
    setText({});
}

const std::string& OptionMenu::entryText(int index) const
{
    static const std::string none;
    return index >= 0 && index < entryCount() ? entries_[size_t(index)].text : none;
}

bool OptionMenu::isEntryEnabled(int index) const
{
    return index >= 0 && index < entryCount() && entries_[size_t(index)].enabled;
}

int OptionMenu::current() const { return entries_.empty() ? -1 : static_cast<int>(std::lround(value())); }

void OptionMenu::setCurrent(int index)
{
    if (index < 0 || index >= entryCount())
        return;
    Control::setValue(index);
    setText(entries_[size_t(index)].text);
}

void OptionMenu::setValue(double v)
{
    if (!std::isnan(v))
        setCurrent(static_cast<int>(std::lround(v)));
}

void OptionMenu::openPopup()
{
    Frame* f = frame();
    if (!f || entries_.empty() || popupOpen_)
        return;
    std::vector<MenuPopup::Item> items;
    for (const Entry& e : entries_)
        items.push_back({e.text, e.enabled});
    popupOpen_ = true;
    beginEdit();
    auto popup = std::make_shared<MenuPopup>(*this, std::move(items), current(), frameRect(), f->viewSize());
    popup_ = popup;
    f->setModalView(std::move(popup));
}

void OptionMenu::popupClosed(int chosen)
{
    popupOpen_ = false;
    if (isEntryEnabled(chosen))
    {
        setCurrent(chosen);
        valueChanged();
    }
    endEdit();
}

MouseResult OptionMenu::onMouseDown(Point, uint32_t buttons)
{
    if (!(buttons & kLButton))
        return kMouseNotHandled;
    openPopup();
    return kMouseHandledFinal;
}

} // namespace qortk

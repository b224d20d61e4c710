#include "QORLIB/gui/presetbar/QorCustomizableOptionMenuPackageHandler.h"

#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/presetbar/QorCustomizableOptionMenu.h"
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"

#include <algorithm>

QorCustomizableOptionMenuPackageHandler::QorCustomizableOptionMenuPackageHandler(const QorRect& rect, int32_t tag,
                                                                                 QorPresetBarEditor& owner)
    : QorKickButton(rect, tag), owner_(owner)
{
}

QorCustomizableOptionMenuPackageHandler::~QorCustomizableOptionMenuPackageHandler() = default;

void QorCustomizableOptionMenuPackageHandler::addItem(const std::string& text, int32_t itemTag)
{
    entries_.push_back({text.substr(0, 63), itemTag});
}

int32_t QorCustomizableOptionMenuPackageHandler::itemWithTag(int32_t itemTag) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].tag == itemTag)
            return static_cast<int32_t>(i);
    return -1;
}

void QorCustomizableOptionMenuPackageHandler::togglePopup(double frameWidth, double frameHeight)
{
    if (open_)
    {
        closePopup();
        return;
    }
    const QorRect area{0, 0, frameWidth, frameHeight};
    if (!container_)
    {
        container_ = owner_.createContainer(area);
        if (!container_)
            return;
        container_->setBackgroundColour({0, 0, 0, 0});
        container_->setMouseTransparent(false);
        menu_ = new QorCustomizableOptionMenu({0, 0, frameWidth, frameHeight}, *this);
        container_->addControl(menu_);
    }
    container_->setViewSize(area);
    menu_->setViewSize({0, 0, frameWidth, frameHeight});
    // Placement 8: below the handler's own rectangle, moved up as far as the frame needs.
    const double count = double(std::max<size_t>(entries_.size(), 1));
    const double itemHeight =
        std::clamp(std::min(QorCustomizableOptionMenu::kMaxHeight, frameHeight - 8.0) / count, 12.0,
                   QorCustomizableOptionMenu::kMaxItemHeight);
    const double height = count * itemHeight + 4.0;
    double top = placement_ == 8 ? rect_.bottom : rect_.top;
    top = std::max(0.0, std::min(top, frameHeight - height));
    std::vector<QorCustomizableOptionMenu::Item> items;
    for (const Entry& e : entries_)
        items.push_back({e.text, e.tag, false, {}});
    menu_->setItems(items, {std::max(0.0, rect_.left), top}, itemHeight);
    menu_->setCurrent(currentItem_);
    owner_.showContainer(container_);
    open_ = true;
}

void QorCustomizableOptionMenuPackageHandler::closePopup()
{
    if (open_ && container_)
        owner_.hideContainer(container_);
    open_ = false;
}

void QorCustomizableOptionMenuPackageHandler::forgetPopup()
{
    container_ = nullptr;
    menu_ = nullptr;
    open_ = false;
}

#pragma once

#include "QORLIB/gui/QorKickButton.h"

#include <string>
#include <vector>

class QorCustomizableOptionMenu;
class QorPresetBarEditor;
class QorViewContainer;

// Owns a pop-up list: its items, where it opens and whether it is open. The pop-up and its
// catcher area live in a container of their own over the whole frame, made on first use.
class QorCustomizableOptionMenuPackageHandler : public QorKickButton
{
public:
    QorCustomizableOptionMenuPackageHandler(const QorRect& rect, int32_t tag, QorPresetBarEditor& owner);
    ~QorCustomizableOptionMenuPackageHandler() override;

    void addItem(const std::string& text, int32_t itemTag);
    void setPlacement(int32_t mode) { placement_ = mode; }
    int32_t placement() const { return placement_; }
    void setCurrentItem(int32_t index) { currentItem_ = index; }
    bool isPopupOpen() const { return open_; }
    QorCustomizableOptionMenu* popup() const { return menu_; }

    // Opens the pop-up, or closes it when it is open.
    void togglePopup(double frameWidth, double frameHeight);
    void closePopup();
    // A choice from the pop-up (its item tag).
    virtual void itemChosen(int32_t itemTag) = 0;
    // The second press of a double click whose first press opened the pop-up; it lands on the
    // pop-up, but belongs to what was double-clicked. The pop-up is closed already.
    virtual void openingDoubleClicked() {}
    // The position of the item with a tag, -1 when there is none.
    int32_t itemWithTag(int32_t itemTag) const;
    // The strip goes: the pop-up's container is forgotten with it.
    void forgetPopup();

private:
    struct Entry
    {
        std::string text;
        int32_t tag;
    };
    QorPresetBarEditor& owner_;
    std::vector<Entry> entries_;
    QorViewContainer* container_ = nullptr;
    QorCustomizableOptionMenu* menu_ = nullptr;
    int32_t placement_ = 1;
    int32_t currentItem_ = 0;
    bool open_ = false;
};

#pragma once

#include "QORLIB/gui/toolkit/TextLabel.h"

#include <memory>
#include <string>
#include <vector>

namespace qortk
{

class MenuPopup;

// A label that shows the chosen entry and opens a pop-up list on a click. Its value is the
// index of the chosen entry.
class OptionMenu : public TextLabel
{
public:
    OptionMenu(const Rect& size, ControlListener* listener = nullptr, int32_t tag = -1);
    ~OptionMenu() override;

    void addEntry(std::string text, bool enabled = true);
    void removeAllEntries();
    int entryCount() const { return static_cast<int>(entries_.size()); }
    const std::string& entryText(int index) const;
    bool isEntryEnabled(int index) const;
    int current() const;
    // Chooses an entry without reporting; out-of-range indices are ignored.
    void setCurrent(int index);
    void setValue(double v) override;

    bool isPopupOpen() const { return popupOpen_; }
    void openPopup();
    // What the pop-up reports: an entry index, or -1 when it closed without a choice.
    void popupClosed(int chosen);

    MouseResult onMouseDown(Point where, uint32_t buttons) override;

private:
    struct Entry
    {
        std::string text;
        bool enabled;
    };
    std::vector<Entry> entries_;
    std::weak_ptr<MenuPopup> popup_;
    bool popupOpen_ = false;
};

} // namespace qortk

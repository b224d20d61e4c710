#pragma once

#include "QORLIB/gui/toolkit/View.h"

#include <memory>
#include <string>
#include <vector>

namespace qortk
{

class OptionMenu;

// The list an option menu opens: a modal view of the frame that closes on any press, with the
// chosen entry or none.
class MenuPopup : public View, public std::enable_shared_from_this<MenuPopup>
{
public:
    struct Item
    {
        std::string text;
        bool enabled;
    };
    static constexpr double kItemHeight = 18.0;

    MenuPopup(OptionMenu& owner, std::vector<Item> items, int current, const Rect& ownerInFrame, const Rect& frameBounds);

    int hovered() const { return hovered_; }
    int itemAt(Point p) const;
    Rect itemRect(int index) const;
    void detachOwner() { owner_ = nullptr; }
    void close(int chosen);

    void draw(DrawContext& context) override;
    MouseResult onMouseDown(Point where, uint32_t buttons) override;
    MouseResult onMouseMoved(Point where, uint32_t buttons) override;
    MouseResult onMouseUp(Point, uint32_t) override { return kMouseHandled; }
    bool onWheel(Point, float, uint32_t) override { return true; }
    bool onKeyDown(const KeyEvent& event) override;

private:
    OptionMenu* owner_;
    std::vector<Item> items_;
    int current_;
    int hovered_ = -1;
};

} // namespace qortk

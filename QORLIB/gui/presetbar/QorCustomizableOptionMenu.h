#pragma once

#include "QORLIB/gui/QorCustomControl.h"

#include <string>
#include <vector>

class QorCustomizableOptionMenuPackageHandler;

// A pop-up list drawn by the framework. The control covers the whole frame while open, so that
// a press anywhere outside the list (the catcher area) closes it without a choice.
class QorCustomizableOptionMenu : public QorCustomControl
{
public:
    struct Item
    {
        std::string text; // at most 63 characters
        int32_t tag = 0;
        bool disabled = false;
        QorRect rect;     // in the control's coordinates
    };
    static constexpr double kWidth = 200.0;
    static constexpr double kMaxHeight = 340.0;
    static constexpr double kMaxItemHeight = 30.0;

    // area: the whole frame; box: where the list is drawn.
    QorCustomizableOptionMenu(const QorRect& area, QorCustomizableOptionMenuPackageHandler& handler);

    // Stacks the items downwards from the top-left corner of the list.
    void setItems(const std::vector<Item>& items, const QorPoint& topLeft, double itemHeight);
    void setCurrent(int32_t index) { current_ = index; }
    int32_t current() const { return current_; }
    int32_t highlighted() const { return highlighted_; }
    const std::vector<Item>& items() const { return items_; }
    const QorRect& box() const { return box_; }
    // The item at a point, or -1.
    int32_t itemAt(const QorPoint& where) const;

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    bool onWheel(const QorPoint&, float, uint32_t) override { return true; }

private:
    QorCustomizableOptionMenuPackageHandler& handler_;
    std::vector<Item> items_;
    QorRect box_;
    int32_t current_ = -1;
    int32_t highlighted_ = -1;
};

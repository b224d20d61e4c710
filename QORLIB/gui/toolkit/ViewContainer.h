#pragma once

#include "QORLIB/gui/toolkit/Colour.h"
#include "QORLIB/gui/toolkit/View.h"

#include <memory>
#include <vector>

namespace qortk
{

class Bitmap;

// A view holding other views, drawn back to front over an optional colour and bitmap. Children
// are placed in the container's own coordinates (its top-left corner is their origin). A
// container that is not mouse-transparent takes every press inside it, so nothing below sees
// it.
class ViewContainer : public View
{
public:
    explicit ViewContainer(const Rect& size);
    ~ViewContainer() override;

    void addView(std::shared_ptr<View> view); // on top of the others
    void removeView(View* view);              // no effect for a view that is not a child
    bool hasChild(const View* view) const;
    const std::vector<std::shared_ptr<View>>& children() const { return children_; }
    void removeAll();

    void setBackgroundColour(Colour c);
    Colour backgroundColour() const { return background_; }
    void setBackground(std::shared_ptr<Bitmap> bitmap);
    const std::shared_ptr<Bitmap>& background() const { return bitmap_; }
    void setMouseTransparent(bool t) { mouseTransparent_ = t; }
    bool mouseTransparent() const { return mouseTransparent_; }

    // The topmost visible view at a point in this container's parent coordinates; with deep set,
    // the innermost one inside nested containers. This container itself when no child is there,
    // nullptr outside it.
    View* viewAt(Point where, bool deep) const;

    void draw(DrawContext& context) override;
    MouseResult onMouseDown(Point where, uint32_t buttons) override;
    MouseResult onMouseMoved(Point where, uint32_t buttons) override;
    MouseResult onMouseUp(Point where, uint32_t buttons) override;
    bool onWheel(Point where, float distance, uint32_t buttons) override;
    bool isContainer() const override { return true; }

    // Drops any reference to the view (mouse capture), before it leaves the tree.
    void forgetView(const View* view);

protected:
    friend class View;
    virtual void invalidChildRect(const Rect& r);
    void drawChildren(DrawContext& context);
    bool hasMouseCapture() const { return mouseDownView_ != nullptr; }

private:
    View* childAt(Point local) const;
    std::vector<std::shared_ptr<View>> children_;
    std::shared_ptr<Bitmap> bitmap_;
    Colour background_{0, 0, 0, 0};
    View* mouseDownView_ = nullptr;
    bool mouseTransparent_ = false;
};

} // namespace qortk

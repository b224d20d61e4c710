#pragma once

#include "QORLIB/gui/toolkit/KeyEvent.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"
#include "QORLIB/gui/toolkit/Rect.h"

#include <string>

namespace qortk
{

class DrawContext;
class Frame;
class ViewContainer;

// Something on screen. A view's rectangle, its drawing and the points of its mouse events are
// all in its parent's coordinates.
class View
{
public:
    explicit View(const Rect& size);
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    const Rect& viewSize() const { return size_; }
    virtual void setViewSize(const Rect& r);
    const Rect& mouseableArea() const { return mouseable_; }
    void setMouseableArea(const Rect& r) { mouseable_ = r; }

    bool isVisible() const { return visible_; }
    void setVisible(bool v);
    bool mouseEnabled() const { return mouseEnabled_; }
    void setMouseEnabled(bool e) { mouseEnabled_ = e; }
    const std::string& tooltipText() const { return tooltip_; }
    void setTooltipText(std::string text) { tooltip_ = std::move(text); }

    ViewContainer* parent() const { return parent_; }
    virtual Frame* frame() const;
    bool isDescendantOf(const View* ancestor) const;
    // Maps between this view's parent coordinates and the frame's coordinates.
    Point parentToFrame(Point p) const;
    Point frameToParent(Point p) const;
    Rect frameRect() const;

    void invalid();                    // redraw the whole view
    void invalidRect(const Rect& r);   // in parent coordinates

    virtual void draw(DrawContext&) {}
    virtual MouseResult onMouseDown(Point, uint32_t) { return kMouseNotImplemented; }
    virtual MouseResult onMouseMoved(Point, uint32_t) { return kMouseNotImplemented; }
    virtual MouseResult onMouseUp(Point, uint32_t) { return kMouseNotImplemented; }
    virtual void onMouseEntered(Point, uint32_t) {}
    virtual void onMouseExited(Point, uint32_t) {}
    virtual bool onWheel(Point, float /*distance*/, uint32_t) { return false; }
    virtual bool onKeyDown(const KeyEvent&) { return false; }
    virtual bool onKeyUp(const KeyEvent&) { return false; }
    // Keyboard focus taken away (another view clicked, view removed).
    virtual void lostFocus() {}
    virtual bool isContainer() const { return false; }

private:
    friend class ViewContainer;
    Rect size_;
    Rect mouseable_;
    ViewContainer* parent_ = nullptr;
    std::string tooltip_;
    bool visible_ = true;
    bool mouseEnabled_ = true;
};

} // namespace qortk

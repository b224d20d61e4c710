#include "QORLIB/gui/toolkit/ViewContainer.h"

#include "QORLIB/gui/toolkit/Bitmap.h"
#include "QORLIB/gui/toolkit/DrawContext.h"
#include "QORLIB/gui/toolkit/Frame.h"

#include <algorithm>

namespace qortk
{

ViewContainer::ViewContainer(const Rect& size) : View(size) {}

ViewContainer::~ViewContainer()
{
    for (auto& child : children_)
        child->parent_ = nullptr;
}

void ViewContainer::addView(std::shared_ptr<View> view)
{
    if (!view || view.get() == this || view->parent_ == this)
        return;
    if (view->parent_)
        view->parent_->removeView(view.get());
    view->parent_ = this;
    children_.push_back(std::move(view));
    children_.back()->invalid();
}

void ViewContainer::removeView(View* view)
{
    auto it = std::find_if(children_.begin(), children_.end(), [view](const auto& c) { return c.get() == view; });
    if (it == children_.end())
        return;
    view->invalid();
    if (Frame* f = frame())
        f->viewWillBeRemoved(view);
    forgetView(view);
    std::shared_ptr<View> keep = std::move(*it); // destroyed after the list is consistent
    children_.erase(it);
    keep->parent_ = nullptr;
}

void ViewContainer::removeAll()
{
    while (!children_.empty())
        removeView(children_.back().get());
}

bool ViewContainer::hasChild(const View* view) const
{
    return std::any_of(children_.begin(), children_.end(), [view](const auto& c) { return c.get() == view; });
}

void ViewContainer::forgetView(const View* view)
{
    if (mouseDownView_ && mouseDownView_->isDescendantOf(view))
        mouseDownView_ = nullptr;
    for (auto& child : children_)
        if (child->isContainer())
            static_cast<ViewContainer*>(child.get())->forgetView(view);
}

void ViewContainer::setBackgroundColour(Colour c)
{
    background_ = c;
    invalid();
}

void ViewContainer::setBackground(std::shared_ptr<Bitmap> bitmap)
{
    bitmap_ = std::move(bitmap);
    invalid();
}

void ViewContainer::invalidChildRect(const Rect& r)
{
    const Rect& own = viewSize();
    const Rect mine = r.offset(own.left, own.top).intersection(own);
    if (!mine.isEmpty())
        invalidRect(mine);
}

View* ViewContainer::childAt(Point local) const
{
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
    {
        View* child = it->get();
        if (child->isVisible() && child->mouseEnabled() && child->mouseableArea().contains(local))
            return child;
    }
    return nullptr;
}

View* ViewContainer::viewAt(Point where, bool deep) const
{
    if (!viewSize().contains(where))
        return nullptr;
    const Point local = where.offset(-viewSize().left, -viewSize().top);
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
    {
        View* child = it->get();
        if (!child->isVisible() || !child->viewSize().contains(local))
            continue;
        if (deep && child->isContainer())
            return static_cast<ViewContainer*>(child)->viewAt(local, true);
        return child;
    }
    return const_cast<ViewContainer*>(this);
}

void ViewContainer::draw(DrawContext& context)
{
    const Rect& r = viewSize();
    context.pushClip(r);
    if (background_.a != 0)
    {
        context.setFillColour(background_);
        context.drawRect(r, DrawContext::kFilled);
    }
    if (bitmap_)
        context.drawBitmap(*bitmap_, r);
    context.pushTranslation(r.left, r.top);
    drawChildren(context);
    context.popTransform();
    context.popClip();
}

void ViewContainer::drawChildren(DrawContext& context)
{
    const Rect clip = context.clipRect();
    // A copy, so that a view's drawing cannot invalidate the iteration.
    const auto children = children_;
    for (const auto& child : children)
    {
        if (!child->isVisible() || !child->viewSize().intersects(clip))
            continue;
        if (child->isContainer())
        {
            child->draw(context);
            continue;
        }
        context.pushClip(child->viewSize());
        child->draw(context);
        context.popClip();
    }
}

MouseResult ViewContainer::onMouseDown(Point where, uint32_t buttons)
{
    const Point local = where.offset(-viewSize().left, -viewSize().top);
    mouseDownView_ = nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
    {
        View* child = it->get();
        if (!child->isVisible() || !child->mouseEnabled() || !child->mouseableArea().contains(local))
            continue;
        std::shared_ptr<View> keep = *it; // a handler may remove its own view
        const MouseResult result = child->onMouseDown(local, buttons);
        if (result == kMouseHandled)
        {
            if (child->parent() == this)
                mouseDownView_ = child;
            return kMouseHandled;
        }
        if (result == kMouseHandledFinal)
            return result;
    }
    return mouseTransparent_ ? kMouseNotHandled : kMouseHandled;
}

MouseResult ViewContainer::onMouseMoved(Point where, uint32_t buttons)
{
    const Point local = where.offset(-viewSize().left, -viewSize().top);
    // A drag belongs to the view that took the press, until the release. When none did (a press
    // on bare panel, one that wanted no more events, a view that closed itself), moves with a
    // button held reach no one: they must not turn into edits of whatever lies under the pointer.
    View* target = mouseDownView_;
    if (!target && (buttons & kMouseButtonMask) == 0)
        target = childAt(local);
    if (!target)
        return kMouseNotHandled;
    return target->onMouseMoved(local, buttons);
}

MouseResult ViewContainer::onMouseUp(Point where, uint32_t buttons)
{
    const Point local = where.offset(-viewSize().left, -viewSize().top);
    View* target = mouseDownView_;
    mouseDownView_ = nullptr;
    return target ? target->onMouseUp(local, buttons) : kMouseNotHandled;
}

bool ViewContainer::onWheel(Point where, float distance, uint32_t buttons)
{
    const Point local = where.offset(-viewSize().left, -viewSize().top);
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
    {
        View* child = it->get();
        if (child->isVisible() && child->mouseEnabled() && child->mouseableArea().contains(local) &&
            child->onWheel(local, distance, buttons))
            return true;
    }
    return false;
}

} // namespace qortk

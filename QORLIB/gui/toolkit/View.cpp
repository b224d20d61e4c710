#include "QORLIB/gui/toolkit/View.h"

#include "QORLIB/gui/toolkit/ViewContainer.h"

namespace qortk
{

View::View(const Rect& size) : size_(size), mouseable_(size) {}

View::~View() = default;

void View::setViewSize(const Rect& r)
{
    invalid();
    size_ = r;
    mouseable_ = r;
    invalid();
}

void View::setVisible(bool v)
{
    if (visible_ == v)
        return;
    if (visible_)
        invalid();
    visible_ = v;
    invalid();
}

Frame* View::frame() const { return parent_ ? parent_->frame() : nullptr; }

bool View::isDescendantOf(const View* ancestor) const
{
    for (const View* v = this; v; v = v->parent_)
        if (v == ancestor)
            return true;
    return false;
}

Point View::parentToFrame(Point p) const
{
    for (const ViewContainer* c = parent_; c; c = c->parent_)
        p = p.offset(c->size_.left, c->size_.top);
    return p;
}

Point View::frameToParent(Point p) const
{
    for (const ViewContainer* c = parent_; c; c = c->parent_)
        p = p.offset(-c->size_.left, -c->size_.top);
    return p;
}

Rect View::frameRect() const
{
    const Point tl = parentToFrame(size_.topLeft());
    return Rect::fromSize(tl.x, tl.y, size_.width(), size_.height());
}

void View::invalid() { invalidRect(size_); }

void View::invalidRect(const Rect& r)
{
    if (visible_ && parent_)
        parent_->invalidChildRect(r);
}

} // namespace qortk

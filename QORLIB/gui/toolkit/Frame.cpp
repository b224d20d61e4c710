#include "QORLIB/gui/toolkit/Frame.h"

#include "QORLIB/gui/toolkit/DrawContext.h"
#include "QORLIB/gui/toolkit/FrameOverlay.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace qortk
{
namespace
{
constexpr size_t kMaxDirtyRects = 16;
}

Frame::Frame(const Rect& size) : ViewContainer(size)
{
    setViewSize(size);
}

Frame::~Frame()
{
    removeAll();
    modal_.reset();
    platform_.reset();
}

void Frame::setPlatform(std::unique_ptr<FramePlatform> platform)
{
    platform_ = std::move(platform);
    if (platform_)
        platform_->frameResized(deviceWidth_, deviceHeight_);
    invalidateAll();
}

void Frame::setZoomTransform(double zoom)
{
    zoom_ = zoom > 0.0 ? zoom : 1.0;
    setViewSize(viewSize());
}

void Frame::setViewSize(const Rect& r)
{
    ViewContainer::setViewSize(Rect::fromSize(0, 0, r.width(), r.height()));
    const int w = static_cast<int>(zoom_ * r.width());
    const int h = static_cast<int>(zoom_ * r.height());
    const bool changed = w != deviceWidth_ || h != deviceHeight_;
    deviceWidth_ = w;
    deviceHeight_ = h;
    if (changed && platform_)
        platform_->frameResized(w, h);
    invalidateAll();
}

void Frame::invalidateAll()
{
    dirty_.clear();
    addDirty(Rect{0, 0, double(deviceWidth_), double(deviceHeight_)});
}

void Frame::invalidChildRect(const Rect& r)
{
    const Rect clipped = r.intersection(viewSize());
    if (clipped.isEmpty())
        return;
    addDirty(Rect{std::floor(clipped.left * zoom_), std::floor(clipped.top * zoom_), std::ceil(clipped.right * zoom_),
                  std::ceil(clipped.bottom * zoom_)});
}

void Frame::addDirty(const Rect& device)
{
    Rect r = device.intersection(Rect{0, 0, double(deviceWidth_), double(deviceHeight_)});
    if (r.isEmpty())
        return;
    // Merge with every rectangle it touches, until none is left to merge with.
    for (bool merged = true; merged;)
    {
        merged = false;
        for (auto it = dirty_.begin(); it != dirty_.end(); ++it)
            if (it->intersects(r))
            {
                r = r.united(*it);
                dirty_.erase(it);
                merged = true;
                break;
            }
    }
    dirty_.push_back(r);
    if (dirty_.size() > kMaxDirtyRects)
    {
        Rect all;
        for (const Rect& d : dirty_)
            all = all.united(d);
        dirty_.assign(1, all);
    }
    if (platform_)
        platform_->frameInvalidated();
}

std::vector<Rect> Frame::takeInvalidRegion()
{
    std::vector<Rect> out;
    out.swap(dirty_);
    return out;
}

void Frame::render(cairo_t* cr, const Rect& deviceRect)
{
    cairo_save(cr);
    cairo_rectangle(cr, deviceRect.left, deviceRect.top, deviceRect.width(), deviceRect.height());
    cairo_clip(cr);
    const Colour bg = backgroundColour();
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, bg.r / 255.0, bg.g / 255.0, bg.b / 255.0, bg.a / 255.0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_scale(cr, zoom_, zoom_);
    {
        DrawContext context(cr);
        if (background())
            context.drawBitmap(*background(), viewSize());
        drawChildren(context);
        for (FrameOverlay* overlay : overlays_)
            overlay->drawOverlay(context, viewSize());
        tooltip_.draw(context, viewSize());
    }
    cairo_restore(cr);
}

MouseResult Frame::mouseDown(Point device, uint32_t buttons)
{
    const Point p = deviceToFrame(device);
    lastPosition_ = p;
    lastButtons_ = buttons;
    if (modal_)
    {
        std::shared_ptr<View> keep = modal_;
        keep->onMouseDown(p, buttons);
        return kMouseHandled;
    }
    if (focus_ && !focus_->frameRect().contains(p))
        setFocusView(nullptr);
    return onMouseDown(p, buttons);
}

MouseResult Frame::mouseMoved(Point device, uint32_t buttons)
{
    const Point p = deviceToFrame(device);
    lastPosition_ = p;
    lastButtons_ = buttons;
    if (modal_)
    {
        std::shared_ptr<View> keep = modal_;
        return keep->onMouseMoved(p, buttons);
    }
    if (!hasMouseCapture())
        updateMouseOver(p, buttons);
    return onMouseMoved(p, buttons);
}

MouseResult Frame::mouseUp(Point device, uint32_t buttons)
{
    const Point p = deviceToFrame(device);
    lastPosition_ = p;
    lastButtons_ = buttons & ~kMouseButtonMask;
    if (modal_)
    {
        std::shared_ptr<View> keep = modal_;
        return keep->onMouseUp(p, buttons);
    }
    const MouseResult r = onMouseUp(p, buttons);
    updateMouseOver(p, lastButtons_);
    return r;
}

bool Frame::wheel(Point device, float distance, uint32_t buttons)
{
    const Point p = deviceToFrame(device);
    lastPosition_ = p;
    if (modal_)
        return modal_->onWheel(p, distance, buttons);
    return onWheel(p, distance, buttons);
}

void Frame::mouseLeftFrame()
{
    if (mouseOver_ && !hasMouseCapture())
    {
        View* old = mouseOver_;
        mouseOver_ = nullptr;
        old->onMouseExited(old->frameToParent(lastPosition_), lastButtons_);
    }
    // Gone without a button held: no view is under the pointer any more (while a button is
    // held, the moves outside still arrive and keep the position true).
    if (!(lastButtons_ & kMouseButtonMask))
        lastPosition_ = kPointerOutside;
}

void Frame::updateMouseOver(Point where, uint32_t buttons)
{
    View* now = viewAt(where, true);
    if (now == this)
        now = nullptr;
    if (now == mouseOver_)
        return;
    View* old = mouseOver_;
    mouseOver_ = now;
    if (old)
        old->onMouseExited(old->frameToParent(where), buttons);
    if (now && now == mouseOver_)
        now->onMouseEntered(now->frameToParent(where), buttons);
}

bool Frame::keyDown(const KeyEvent& event)
{
    if (focus_ && focus_->onKeyDown(event))
        return true;
    return modal_ && modal_->onKeyDown(event);
}

bool Frame::keyUp(const KeyEvent& event)
{
    if (focus_ && focus_->onKeyUp(event))
        return true;
    return modal_ && modal_->onKeyUp(event);
}

// Both come from the last event: asking the window system would cost a round trip to the X
// server on every idle tick, although nothing changes between events.
Point Frame::currentMousePosition() const { return lastPosition_; }

uint32_t Frame::currentButtons() const { return lastButtons_; }

void Frame::notePointer(Point device, uint32_t buttons)
{
    lastPosition_ = deviceToFrame(device);
    lastButtons_ = buttons;
}

void Frame::setFocusView(View* view)
{
    if (view == focus_)
        return;
    View* old = focus_;
    focus_ = view;
    if (old)
        old->lostFocus();
}

void Frame::setModalView(std::shared_ptr<View> view)
{
    clearModalView();
    if (!view)
        return;
    modal_ = view;
    addView(std::move(view));
}

void Frame::clearModalView()
{
    if (!modal_)
        return;
    std::shared_ptr<View> old = std::move(modal_);
    removeView(old.get());
}

void Frame::showTooltip(const Rect& anchor, const std::string& text)
{
    invalidateFrameRect(tooltip_.coveredRect(viewSize()));
    tooltip_.show(anchor, text);
    invalidateFrameRect(tooltip_.coveredRect(viewSize()));
}

void Frame::hideTooltip()
{
    if (!tooltip_.isShown())
        return;
    invalidateFrameRect(tooltip_.coveredRect(viewSize()));
    tooltip_.hide();
}

void Frame::invalidateFrameRect(const Rect& r)
{
    if (!r.isEmpty())
        invalidChildRect(r);
}

void Frame::addOverlay(FrameOverlay* overlay)
{
    if (overlay && std::find(overlays_.begin(), overlays_.end(), overlay) == overlays_.end())
        overlays_.push_back(overlay);
}

void Frame::removeOverlay(FrameOverlay* overlay)
{
    overlays_.erase(std::remove(overlays_.begin(), overlays_.end(), overlay), overlays_.end());
}

void Frame::viewWillBeRemoved(View* view)
{
    if (mouseOver_ && mouseOver_->isDescendantOf(view))
        mouseOver_ = nullptr;
    if (focus_ && focus_->isDescendantOf(view))
    {
        View* old = focus_;
        focus_ = nullptr;
        old->lostFocus();
    }
    if (modal_ && modal_.get() == view)
        modal_.reset();
}

} // namespace qortk

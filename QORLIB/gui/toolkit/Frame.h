#pragma once

#include "QORLIB/gui/toolkit/FramePlatform.h"
#include "QORLIB/gui/toolkit/Tooltip.h"
#include "QORLIB/gui/toolkit/ViewContainer.h"

#include <memory>
#include <vector>

typedef struct _cairo cairo_t;

namespace qortk
{

class FrameOverlay;

// The top-level container of a window. Views live in points; the frame maps them to device
// pixels by a uniform zoom, collects invalid rectangles for its platform, and turns device
// events into view events (capture, enter and exit, focus, a modal view, tooltips).
class Frame : public ViewContainer
{
public:
    explicit Frame(const Rect& size);
    ~Frame() override;

    void setPlatform(std::unique_ptr<FramePlatform> platform);
    FramePlatform* platform() const { return platform_.get(); }

    // Uniform scale from points to device pixels; the device size follows (truncated).
    void setZoomTransform(double zoom);
    double zoom() const { return zoom_; }
    void setViewSize(const Rect& r) override;
    int deviceWidth() const { return deviceWidth_; }
    int deviceHeight() const { return deviceHeight_; }

    void invalidateAll();
    bool hasInvalidRegion() const { return !dirty_.empty(); }
    // Takes the invalid rectangles (device pixels, whole numbers) and forgets them.
    std::vector<Rect> takeInvalidRegion();
    // Paints everything that lies in the device rectangle.
    void render(cairo_t* cr, const Rect& deviceRect);

    // Device-pixel events from the platform.
    MouseResult mouseDown(Point device, uint32_t buttons);
    MouseResult mouseMoved(Point device, uint32_t buttons);
    MouseResult mouseUp(Point device, uint32_t buttons);
    bool wheel(Point device, float distance, uint32_t buttons);
    void mouseLeftFrame();
    virtual bool keyDown(const KeyEvent& event);
    virtual bool keyUp(const KeyEvent& event);

    // Pointer in points and the held buttons and modifiers, as the last event left them
    // (kPointerOutside once the pointer has left the window with no button held).
    static constexpr Point kPointerOutside{-1.0e6, -1.0e6};
    Point currentMousePosition() const;
    virtual uint32_t currentButtons() const;
    // A platform that learns of the pointer other than by an event (the offscreen one) tells
    // the frame here; device pixels.
    void notePointer(Point device, uint32_t buttons);
    bool isActive() const { return platform_ ? platform_->isActive() : false; }
    Point deviceToFrame(Point device) const { return {device.x / zoom_, device.y / zoom_}; }

    void setFocusView(View* view);
    View* focusView() const { return focus_; }
    // A view on top that gets every press (a pop-up); it closes itself by clearModalView.
    void setModalView(std::shared_ptr<View> view);
    void clearModalView();
    View* modalView() const { return modal_.get(); }

    void showTooltip(const Rect& anchor, const std::string& text);
    void hideTooltip();
    const Tooltip& tooltip() const { return tooltip_; }
    // Painted above the views and below the tooltip, in the order added; not owned.
    void addOverlay(FrameOverlay* overlay);
    void removeOverlay(FrameOverlay* overlay);
    // Marks a rectangle of the frame (points) for repainting.
    void invalidateFrameRect(const Rect& r);

    Frame* frame() const override { return const_cast<Frame*>(this); }
    void viewWillBeRemoved(View* view);

protected:
    void invalidChildRect(const Rect& r) override;

private:
    void addDirty(const Rect& device);
    void updateMouseOver(Point where, uint32_t buttons);
    std::unique_ptr<FramePlatform> platform_;
    std::vector<Rect> dirty_;
    std::shared_ptr<View> modal_;
    Tooltip tooltip_;
    std::vector<FrameOverlay*> overlays_;
    View* mouseOver_ = nullptr;
    View* focus_ = nullptr;
    Point lastPosition_ = kPointerOutside;
    uint32_t lastButtons_ = 0;
    double zoom_ = 1.0;
    int deviceWidth_ = 0;
    int deviceHeight_ = 0;
};

} // namespace qortk

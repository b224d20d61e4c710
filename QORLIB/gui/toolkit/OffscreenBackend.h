#pragma once

#include "QORLIB/gui/toolkit/FramePlatform.h"

#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace qortk
{

class Frame;

// A frame painted into a cairo image surface: for tests (synthetic pointer, pixel reads) and
// for screenshots.
class OffscreenBackend : public FramePlatform
{
public:
    explicit OffscreenBackend(Frame& frame);
    ~OffscreenBackend() override;

    void frameResized(int deviceWidth, int deviceHeight) override;
    bool queryPointer(Point& device, uint32_t& buttons) override;
    bool isActive() const override { return active_; }

    void setActive(bool active) { active_ = active; }
    // Replaces the pointer that the frame reads (device pixels); until then it knows none.
    void setPointer(Point device, uint32_t buttons);

    // Paints the frame's invalid region; returns how many rectangles were painted.
    int update();
    uint32_t pixel(int x, int y); // 0xRRGGBBAA after update()
    bool writePng(const std::string& path);
    // The painted surface as PNG bytes; false when encoding fails.
    bool encodePng(std::vector<unsigned char>& out);
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    Frame& frame_;
    cairo_surface_t* surface_ = nullptr;
    Point pointer_;
    uint32_t buttons_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool pointerSet_ = false;
    bool active_ = true;
};

} // namespace qortk

// What the frame paints, probed pixel by pixel on the offscreen backend.
#include "QORLIB/gui/toolkit/Bitmap.h"
#include "QORLIB/gui/toolkit/DrawContext.h"
#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/PixelAccess.h"
#include "tests/support/TempDir.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>

using qortk::Colour;
using qortk::Rect;

namespace
{
class PaintView : public qortk::View
{
public:
    PaintView(const Rect& r, std::function<void(qortk::DrawContext&, const Rect&)> paint)
        : View(r), paint_(std::move(paint))
    {
    }
    void draw(qortk::DrawContext& c) override { paint_(c, viewSize()); }

private:
    std::function<void(qortk::DrawContext&, const Rect&)> paint_;
};

uint32_t rgba(Colour c) { return (uint32_t(c.r) << 24) | (uint32_t(c.g) << 16) | (uint32_t(c.b) << 8) | c.a; }

// A 4 × 2-pixel strip of two frames at scale 2: the left one red, the right one green.
std::shared_ptr<qortk::Bitmap> twoFrames()
{
    auto b = qortk::Bitmap::blank(4, 2);
    cairo_t* cr = cairo_create(b->surface());
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_rectangle(cr, 0, 0, 2, 2);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_rectangle(cr, 2, 0, 2, 2);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_mark_dirty(b->surface());
    b->setScaleFactor(2.0);
    return b;
}

struct Canvas
{
    qortk::Frame frame{Rect{0, 0, 100, 60}};
    qortk::OffscreenBackend* out;
    explicit Canvas(double zoom = 1.0)
    {
        frame.setBackgroundColour({30, 30, 30, 255});
        frame.setZoomTransform(zoom);
        auto backend = std::make_unique<qortk::OffscreenBackend>(frame);
        out = backend.get();
        frame.setPlatform(std::move(backend));
    }
};
} // namespace

TEST(Drawing, ContainersPaintTheirColourOverTheFrameColourAndClipTheirChildren)
{
    Canvas c;
    auto box = std::make_shared<qortk::ViewContainer>(Rect{10, 10, 50, 40});
    box->setBackgroundColour({200, 0, 0, 255});
    // A child that paints beyond its own rectangle is clipped to it.
    box->addView(std::make_shared<PaintView>(Rect{0, 0, 10, 10}, [](qortk::DrawContext& d, const Rect&) {
        d.setFillColour({0, 0, 255, 255});
        d.drawRect({-100, -100, 100, 100}, qortk::DrawContext::kFilled);
    }));
    c.frame.addView(box);
    EXPECT_EQ(c.out->pixel(5, 5), rgba({30, 30, 30, 255}));
    EXPECT_EQ(c.out->pixel(15, 15), rgba({0, 0, 255, 255}));
    EXPECT_EQ(c.out->pixel(25, 25), rgba({200, 0, 0, 255}));
    EXPECT_EQ(c.out->pixel(55, 25), rgba({30, 30, 30, 255}));
}

TEST(Drawing, BitmapsDrawFromAnOffsetAtTheirScale)
{
    for (double zoom : {1.0, 2.0})
    {
        Canvas c(zoom);
        auto strip = twoFrames();
        c.frame.addView(std::make_shared<PaintView>(Rect{0, 0, 100, 60}, [&](qortk::DrawContext& d, const Rect&) {
            d.drawBitmap(*strip, Rect{10, 10, 11, 11});             // first frame
            d.drawBitmap(*strip, Rect{20, 10, 21, 11}, {1.0, 0.0}); // second frame
            d.drawBitmap(*strip, Rect{30, 10, 31, 11}, {1.0, 0.0}, 0.5);
        }));
        const int k = static_cast<int>(zoom);
        EXPECT_EQ(c.out->pixel(10 * k, 10 * k), rgba({255, 0, 0, 255})) << zoom;
        EXPECT_EQ(c.out->pixel(20 * k, 10 * k), rgba({0, 255, 0, 255})) << zoom;
        // Half green over the frame colour, and nothing beyond one frame's width.
        const uint32_t half = c.out->pixel(30 * k, 10 * k);
        EXPECT_NEAR(qortk::PixelAccess::green(half), (255 + 30) / 2, 2) << zoom;
        EXPECT_EQ(c.out->pixel(31 * k + 1, 10 * k), rgba({30, 30, 30, 255})) << zoom;
    }
}

TEST(Drawing, ShapesLinesAndRoundedCorners)
{
    Canvas c;
    c.frame.addView(std::make_shared<PaintView>(Rect{0, 0, 100, 60}, [](qortk::DrawContext& d, const Rect&) {
        d.setFillColour({255, 255, 255, 255});
        d.drawRoundRect({10, 10, 50, 50}, 10.0, qortk::DrawContext::kFilled);
        d.setFrameColour({0, 200, 0, 255});
        d.setLineWidth(2.0);
        d.drawLine({60, 20}, {90, 20});
        d.setFrameColour({0, 0, 200, 255});
        d.drawRect({60, 30, 90, 50}, qortk::DrawContext::kStroked);
    }));
    EXPECT_EQ(c.out->pixel(30, 30), rgba({255, 255, 255, 255}));
    EXPECT_EQ(c.out->pixel(10, 10), rgba({30, 30, 30, 255})) << "the corner is rounded off";
    EXPECT_EQ(c.out->pixel(30, 10), rgba({255, 255, 255, 255})) << "the edge is not";
    EXPECT_EQ(c.out->pixel(75, 19), rgba({0, 200, 0, 255}));
    EXPECT_EQ(c.out->pixel(75, 20), rgba({0, 200, 0, 255}));
    EXPECT_EQ(c.out->pixel(75, 22), rgba({30, 30, 30, 255}));
    EXPECT_EQ(c.out->pixel(60, 40), rgba({0, 0, 200, 255})) << "a frame lies inside its rectangle";
    EXPECT_EQ(c.out->pixel(75, 40), rgba({30, 30, 30, 255}));
}

TEST(Drawing, TextFollowsItsAlignment)
{
    // Where the first inked column lies tells left, centre and right apart.
    auto firstInk = [](qortk::DrawContext::Align align) {
        Canvas c;
        c.frame.addView(std::make_shared<PaintView>(Rect{0, 0, 100, 60}, [align](qortk::DrawContext& d, const Rect&) {
            d.setFont(qortk::FontDesc("Arial", 12.0));
            d.setFontColour({255, 255, 255, 255});
            d.drawString("MM", Rect{0, 0, 100, 60}, align);
        }));
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 60; ++y)
                if (qortk::PixelAccess::red(c.out->pixel(x, y)) > 128)
                    return x;
        return -1;
    };
    const int left = firstInk(qortk::DrawContext::kLeft);
    const int centre = firstInk(qortk::DrawContext::kCenter);
    const int right = firstInk(qortk::DrawContext::kRight);
    EXPECT_GE(left, 0);
    EXPECT_LE(left, 2);
    EXPECT_NEAR(centre, 50 - (100 - right) / 2, 2) << "centred text sits halfway";
    EXPECT_GT(right, 70);
}

TEST(Drawing, OnlyInvalidPartsArePaintedAgainAndFramesBecomePngs)
{
    Canvas c;
    int paints = 0;
    auto view = std::make_shared<PaintView>(Rect{10, 10, 20, 20}, [&](qortk::DrawContext&, const Rect&) { ++paints; });
    auto far = std::make_shared<PaintView>(Rect{70, 40, 80, 50}, [&](qortk::DrawContext&, const Rect&) { paints += 100; });
    c.frame.addView(view);
    c.frame.addView(far);
    c.out->update();
    EXPECT_EQ(paints, 101);
    EXPECT_EQ(c.out->update(), 0) << "nothing invalid";
    view->invalid();
    c.out->update();
    EXPECT_EQ(paints, 102) << "the far view is not painted again";
    qortest::TempDir dir;
    const auto path = (dir.path() / "frame.png").string();
    ASSERT_TRUE(c.out->writePng(path));
    cairo_surface_t* back = cairo_image_surface_create_from_png(path.c_str());
    EXPECT_EQ(cairo_image_surface_get_width(back), 100);
    EXPECT_EQ(cairo_image_surface_get_height(back), 60);
    cairo_surface_destroy(back);
}

namespace
{
// Two frames of 10 × 10 points; each drawn at any scale as a one-pixel checkerboard of two
// colours, so that any resampling would show as mixed pixels.
std::shared_ptr<qortk::Bitmap> checkerFrames(int& drawn)
{
    auto b = qortk::Bitmap::blank(40, 20);
    cairo_t* stored = cairo_create(b->surface());
    cairo_set_source_rgb(stored, 0.5, 0.5, 0.5);
    cairo_paint(stored);
    cairo_destroy(stored);
    b->setScaleFactor(2.0);
    b->setFrameRenderer({10, 10, 2, 1}, [&drawn](double scale, int column, int) -> cairo_surface_t* {
        ++drawn;
        const int n = static_cast<int>(std::lround(10 * scale));
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, n, n);
        cairo_t* cr = cairo_create(s);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
            {
                const bool even = (x + y) % 2 == 0;
                cairo_set_source_rgb(cr, even ? 1.0 : 0.0, column == 1 ? 1.0 : 0.0, even ? 0.0 : 1.0);
                cairo_rectangle(cr, x, y, 1, 1);
                cairo_fill(cr);
            }
        cairo_destroy(cr);
        return s;
    });
    return b;
}
} // namespace

TEST(Drawing, ZoomedBitmapsAreTheirOwnDrawingAtTheZoomOnWholePixels)
{
    for (double zoom : {0.7, 2.76})
    {
        Canvas c(zoom);
        int drawn = 0;
        auto strip = checkerFrames(drawn);
        // Fractional positions: 3.3 × 0.7 = 2.31 and 3.3 × 2.76 = 9.108 both start at pixel column round().
        c.frame.addView(std::make_shared<PaintView>(Rect{0, 0, 100, 60}, [&](qortk::DrawContext& d, const Rect&) {
            d.pushTranslation(1.1, 0.0);
            d.drawBitmap(*strip, Rect{2.2, 4.7, 12.2, 14.7}, {10.0, 0.0}); // second frame
            d.popTransform();
        }));
        const int n = static_cast<int>(std::lround(10 * zoom));
        const int left = static_cast<int>(std::lround(3.3 * zoom)), top = static_cast<int>(std::lround(4.7 * zoom));
        const int right = static_cast<int>(std::lround(13.3 * zoom)), bottom = static_cast<int>(std::lround(14.7 * zoom));
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right && x - left < n; ++x)
            {
                const bool even = (x - left + y - top) % 2 == 0;
                ASSERT_EQ(c.out->pixel(x, y), even ? rgba({255, 255, 0, 255}) : rgba({0, 255, 255, 255}))
                    << "zoom " << zoom << " at " << x << "," << y;
            }
        // Nothing beyond the rounded rectangle, not even a blended edge.
        EXPECT_EQ(c.out->pixel(left - 1, top + 2), rgba({30, 30, 30, 255})) << zoom;
        EXPECT_EQ(c.out->pixel(left + 2, bottom), rgba({30, 30, 30, 255})) << zoom;
        EXPECT_EQ(drawn, 1) << zoom;
        // Painting again uses the frame already drawn.
        c.frame.invalidateAll();
        c.out->update();
        EXPECT_EQ(drawn, 1) << zoom;
    }
}

TEST(Drawing, BitmapsUnderARotationOrAPartialFrameAreResampledFromTheirPixels)
{
    Canvas c(1.5);
    int drawn = 0;
    auto strip = checkerFrames(drawn);
    c.frame.addView(std::make_shared<PaintView>(Rect{0, 0, 100, 60}, [&](qortk::DrawContext& d, const Rect&) {
        cairo_save(d.cairo());
        cairo_rotate(d.cairo(), 0.1);
        d.drawBitmap(*strip, Rect{10, 10, 20, 20});
        cairo_restore(d.cairo());
        d.drawBitmap(*strip, Rect{30, 10, 40, 20}, {5.0, 0.0}); // straddles two frames
        d.drawBitmap(*strip, Rect{50, 10, 65, 20});             // wider than a frame
    }));
    EXPECT_EQ(drawn, 0);
    for (auto [x, y] : {std::pair{22, 22}, {50, 22}, {80, 22}})
        EXPECT_EQ(c.out->pixel(x, y), rgba({128, 128, 128, 255})) << "still drawn, from the stored pixels: " << x;
}

TEST(Drawing, ClipsFallOnWholeDevicePixelsAtAFractionalZoom)
{
    Canvas c(0.7);
    // Edges at 10.6 and 40.6 points: device rows 7.42 and 28.42, so rows 7 to 27 are inside.
    auto box = std::make_shared<qortk::ViewContainer>(Rect{10, 10.6, 50, 40.6});
    box->addView(std::make_shared<PaintView>(Rect{0, 0, 40, 30}, [](qortk::DrawContext& d, const Rect&) {
        d.setFillColour({0, 0, 255, 255});
        d.drawRect({-100, -100, 100, 100}, qortk::DrawContext::kFilled);
    }));
    c.frame.addView(box);
    EXPECT_EQ(c.out->pixel(20, 6), rgba({30, 30, 30, 255}));
    EXPECT_EQ(c.out->pixel(20, 7), rgba({0, 0, 255, 255})) << "no half-covered first row";
    EXPECT_EQ(c.out->pixel(20, 27), rgba({0, 0, 255, 255}));
    EXPECT_EQ(c.out->pixel(20, 28), rgba({30, 30, 30, 255})) << "no half-covered last row";
}
